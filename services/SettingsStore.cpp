#include "services/SettingsStore.h"

#include "settings/SettingsKeys.h"

#include <QCoreApplication>

namespace quorvane {

QString SettingsKey(const settings::Key& key) { return QString::fromStdString(settings::KeyPath(key)); }

QString DescribeSettingsProblem(const SettingsWrite& write) {
    const auto text = [](const char* source) { return QCoreApplication::translate("SettingsStore", source); };
    const QString because =
        write.systemReason.isEmpty() ? QString() : text(QT_TRANSLATE_NOOP("SettingsStore", "（%1）")).arg(write.systemReason);
    switch (write.problem) {
        case SettingsProblem::None: return {};
        case SettingsProblem::NoFolder:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "設定のフォルダーを作れません%1。"
                                                           "その上のフォルダーに書き込めるか確かめてください。"))
                .arg(because);
        case SettingsProblem::Busy:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "ほかの Quorvane が設定を保存していて、"
                                                           "終わるのを待ちきれませんでした。"
                                                           "ほかの Quorvane が応答しているか確かめてください。"));
        case SettingsProblem::NotAFile:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "設定ファイルの場所に、ファイルではないもの"
                                                           "（フォルダー、パイプ、デバイスなど）があります。"
                                                           "それを移すか消してください。"));
        case SettingsProblem::Unreadable:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "設定ファイルを読めません%1。"
                                                           "ファイルの読み取り権限を確かめてください。"))
                .arg(because);
        case SettingsProblem::TooLarge:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "設定ファイルが大きすぎて読めません（16 MiB まで）。"
                                                           "中身を確かめてください。"));
        case SettingsProblem::WouldBeTooLarge:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "保存すると設定ファイルが大きすぎて読めなくなります"
                                                           "（16 MiB まで）。中身を確かめてください。"));
        case SettingsProblem::NotWritten:
            return text(QT_TRANSLATE_NOOP("SettingsStore", "設定を書き込めません%1。"
                                                           "書き込み権限と空き容量を確かめてください。"))
                .arg(because);
    }
    return {};
}

}  // namespace quorvane
