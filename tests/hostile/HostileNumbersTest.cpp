// Hostile numbers typed into the main window's two unlimited fields, the
// stardate and the reset number: every text gives a defined result, and a
// stardate with no Earth date clears the date rather than showing a wrong one.
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace quorvane {
namespace {

using testing::FakePlatform;

class HostileNumbers : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmMain>(platform);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Ui(window).optMD->setChecked(true);
    }

    void options(bool live, bool reset, bool window90) {
        Ui(window).chkRealTime->setChecked(live);
        Ui(window).chkReset->setChecked(reset);
        Ui(window).chkBase90->setChecked(window90);
    }

    static void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    QStringList earthDate() const {
        return {Ui(window).txtYear->text(), Ui(window).txtYearDate->text(), Ui(window).txtMonth->text(),
                Ui(window).txtDate->text()};
    }

    FakePlatform platform;
    std::unique_ptr<frmMain> window;
};

const QStringList kNoDate = {"", "", "", ""};
const QStringList kEpoch = {"2323", "1", "1", "1"};

// ---- The stardate field, live --------------------------------------------------------

struct StardateCase {
    const char* name;
    QString typed;
    QStringList earthDate;  // year, day of the year, month, day
};

class HostileStardate : public HostileNumbers, public ::testing::WithParamInterface<StardateCase> {};

TEST_P(HostileStardate, TypedLiveGivesADefinedEarthDate) {
    options(true, false, false);
    typeInto(Ui(window).txtYear, QStringLiteral("1999"));  // something to be replaced
    typeInto(Ui(window).txtStarDate, GetParam().typed);
    EXPECT_EQ(earthDate(), GetParam().earthDate);
    EXPECT_EQ(Ui(window).txtStarDate->text(), GetParam().typed) << "the typed text is kept";
    EXPECT_TRUE(platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HostileStardate,
    ::testing::Values(
        StardateCase{"exponent_reads_its_mantissa", "1e400", kEpoch},
        StardateCase{"minus_zero_is_the_epoch", "-0", kEpoch},
        StardateCase{"nan_reads_zero", "nan", kEpoch},
        StardateCase{"inf_reads_zero", "inf", kEpoch},
        StardateCase{"five_hundred_digits_clear_the_date", QString(500, u'9'), kNoDate},
        StardateCase{"beyond_single_precision_clears_the_date", "4" + QString(38, u'0'), kNoDate},
        StardateCase{"negative_beyond_single_precision_clears_the_date", "-4" + QString(38, u'0'),
                     kNoDate},
        StardateCase{"past_the_year_9999_clears_the_date", "7676999", kNoDate},
        StardateCase{"last_stardate_with_a_date", "7676998.5", {"9999", "365", "12", "31"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The reset number, both directions ---------------------------------------------------

struct ResetCase {
    const char* name;
    QString reset;
    QStringList windowed;  // Earth date of stardate 51234.5, both options on
    QString wrapped;       // stardate of 1998-05-07, reset wrap on
};

class HostileReset : public HostileNumbers, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(HostileReset, GivesADefinedResultEachWay) {
    options(true, true, true);
    typeInto(Ui(window).txtReset, GetParam().reset);
    typeInto(Ui(window).txtStarDate, QStringLiteral("51234.5"));
    EXPECT_EQ(earthDate(), GetParam().windowed);

    options(false, true, true);
    typeInto(Ui(window).txtYear, QStringLiteral("1998"));
    typeInto(Ui(window).txtMonth, QStringLiteral("5"));
    typeInto(Ui(window).txtDate, QStringLiteral("7"));
    Ui(window).cmdCStarDate->setFocus();
    QTest::mouseClick(Ui(window).cmdCStarDate, Qt::LeftButton);
    EXPECT_EQ(Ui(window).txtStarDate->text(), GetParam().wrapped);
    EXPECT_TRUE(platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Resets, HostileReset,
    ::testing::Values(
        ResetCase{"zero_moves_nothing", "0", {"2374", "87", "3", "28"}, "-324654.8"},
        ResetCase{"minus_one_moves_nothing", "-1", {"2374", "87", "3", "28"}, "-324654.8"},
        ResetCase{"five_hundred_leaves_the_year_but_wraps", "500", {"2374", "87", "3", "28"}, "345.2"},
        ResetCase{"five_hundred_and_one_steps_by_years", "501", {"2009", "87", "3", "28"}, "494.2"},
        ResetCase{"largest_32_bit_reset", "2147483647", {"2374", "87", "3", "28"}, "2147158992.2"},
        ResetCase{"beyond_32_bits_saturates", QString(500, u'9'), {"2374", "87", "3", "28"},
                  "2147158992.2"},
        ResetCase{"exponent_reads_its_mantissa", "1e400", {"2374", "87", "3", "28"}, "0.2"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
