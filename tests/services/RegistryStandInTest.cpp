#include "services/RegistryStandIn.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

const QString Key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

QString Store(const QString& values) {
    return QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n") + values;
}

QString Repeat(char c, int n) { return QString(n, QLatin1Char(c)); }

class RegistryFile : public ::testing::Test {
protected:
    QString write(const QString& content) {
        const QString path = dir.filePath(QStringLiteral("registry.ini"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.toUtf8());
        return path;
    }
    QTemporaryDir dir;
};

struct ReadCase {
    const char* name;
    QString content;  // empty: no file at all
    std::int32_t root;
    QString key;
    QString value;
    bool read;
    QString text;  // KeyVal afterwards; it holds "before" on entry
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class GetKeyValueTest : public RegistryFile, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(GetKeyValueTest, ReadsOrFailsAsTheRegistryWould) {
    const ReadCase& c = GetParam();
    const QString file = c.content.isEmpty() ? dir.filePath(QStringLiteral("none.ini")) : write(c.content);
    QString text = QStringLiteral("before");
    EXPECT_EQ(GetKeyValue(file, c.root, c.key, c.value, text), c.read);
    EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        ReadCase{"text_value_is_read", Store("PATH=REG_SZ:/usr/bin/tool\n"), HKEY_LOCAL_MACHINE, Key,
                 "PATH", true, "/usr/bin/tool"},
        ReadCase{"key_and_value_names_ignore_letter_case", Store("Path=REG_SZ:/t\n"), HKEY_LOCAL_MACHINE,
                 "software\\MICROSOFT\\shared tools\\msinfo", "PATH", true, "/t"},
        ReadCase{"missing_file_fails_and_empties_the_text", "", HKEY_LOCAL_MACHINE, Key, "PATH", false, ""},
        ReadCase{"missing_key_fails_and_empties_the_text", Store("PATH=REG_SZ:/t\n"), HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Other", "PATH", false, ""},
        ReadCase{"missing_value_fails_and_empties_the_text", Store("PATH=REG_SZ:/t\n"),
                 HKEY_LOCAL_MACHINE, Key, "MSINFO", false, ""},
        ReadCase{"other_roots_hold_nothing", Store("PATH=REG_SZ:/t\n"), HKEY_CURRENT_USER, Key, "PATH",
                 false, ""},
        ReadCase{"dword_gives_its_bytes_last_to_first", Store("F=REG_DWORD:0x10\n"), HKEY_LOCAL_MACHINE,
                 Key, "F", true, "&h00000010"},
        ReadCase{"dword_in_decimal", Store("F=REG_DWORD:305419896\n"), HKEY_LOCAL_MACHINE, Key, "F", true,
                 "&h12345678"},
        ReadCase{"binary_leaves_the_text_as_it_was", Store("B=REG_BINARY:00 ff\n"), HKEY_LOCAL_MACHINE, Key,
                 "B", true, "before"},
        ReadCase{"expandable_text_is_another_type", Store("E=REG_EXPAND_SZ:/t\n"), HKEY_LOCAL_MACHINE, Key,
                 "E", true, "before"},
        ReadCase{"text_with_its_end_filling_the_buffer_is_read", Store("L=REG_SZ:" + Repeat('a', 1023)),
                 HKEY_LOCAL_MACHINE, Key, "L", true, Repeat('a', 1023)},
        ReadCase{"text_one_byte_over_the_buffer_counts_as_missing", Store("L=REG_SZ:" + Repeat('a', 1024)),
                 HKEY_LOCAL_MACHINE, Key, "L", false, ""},
        ReadCase{"quotes_keep_blanks_at_the_ends", Store("P=\"REG_SZ: /my tools/ \"\n"), HKEY_LOCAL_MACHINE,
                 Key, "P", true, " /my tools/ "},
        ReadCase{"japanese_text_survives", Store("P=REG_SZ:/opt/ｼｽﾃﾑ情報\n"), HKEY_LOCAL_MACHINE, Key,
                 "P", true, "/opt/ｼｽﾃﾑ情報"},
        ReadCase{"broken_lines_are_skipped", Store("garbage\nX=REG_DWORD:zz\nP=REG_SZ:/t\n"),
                 HKEY_LOCAL_MACHINE, Key, "P", true, "/t"},
        ReadCase{"a_broken_value_counts_as_missing", Store("X=REG_DWORD:0x1FFFFFFFF\n"),
                 HKEY_LOCAL_MACHINE, Key, "X", false, ""},
        ReadCase{"later_line_for_a_value_wins", Store("P=REG_SZ:/old\nP=REG_SZ:/new\n"),
                 HKEY_LOCAL_MACHINE, Key, "P", true, "/new"},
        ReadCase{"values_belong_to_their_own_key",
                 Store("") + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\nP=REG_SZ:/t\n", HKEY_LOCAL_MACHINE,
                 Key, "P", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryFile, ValueFillingTheBufferWithNoEndCannotBeCut) {
    const QString file = write(Store("B=REG_BINARY:" + QString(2048, QLatin1Char('7')) + "\n"));
    QString text = QStringLiteral("before");
    EXPECT_THROW(GetKeyValue(file, HKEY_LOCAL_MACHINE, Key, QStringLiteral("B"), text), RegistryValueError);
    EXPECT_EQ(text, QStringLiteral("before"));
}

TEST_F(RegistryFile, KeyAboveAValueKeyOpensButHoldsNoValue) {
    const RegistryStandIn registry(write(Store("P=REG_SZ:/t\n")));
    EXPECT_TRUE(registry.hasKey(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft")));
    EXPECT_TRUE(registry.hasKey(HKEY_LOCAL_MACHINE, QString()));
    EXPECT_FALSE(registry.hasKey(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Micro")));
    EXPECT_FALSE(registry.value(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE"), QStringLiteral("P")));
}

}  // namespace
}  // namespace quorvane
