#pragma once
// The converter's main window. Its controls are its own: other windows and
// the settings reach the converter through quorvane::Converter, and tests
// find the controls by their object names. Every program write raises the
// same notifications as typing.

#include "conversion/Converter.h"

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMouseEvent;
class QAction;
class QPushButton;
class QRadioButton;
class frmDataList;
class frmEditor;

namespace quorvane {
class Platform;
class TypedLimitLineEdit;
}

class frmMain : public QWidget, public quorvane::Converter {
    Q_OBJECT

public:
    explicit frmMain(quorvane::Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    // Restores the remembered position and options; run once before the
    // window is first shown. Leaves the focus in the year field.
    void Form_Load();

    // Opens the event list under this window, or brings it back there.
    void ShowDataList();
    void OpenReadme();
    // Finds the catalogue, asking for it when it is missing, and opens the
    // editor on it, or brings the open editor forward.
    void EditDatabase();

    // The event list while it is open; null otherwise.
    frmDataList* DataList() const;
    // The catalogue editor while it is open; null otherwise.
    frmEditor* Editor() const;

    // Conversions between the two sides of the window.
    void ConvertToEarthDate();
    void ConvertToStarDate();
    bool IsEarthDateComplete() const;

    // quorvane::Converter
    void EnterStardate(std::string_view text) override;
    void EnterEarthDate(int year, int month, int day,
                        std::optional<int> dayOfYear = std::nullopt) override;
    quorvane::ConverterOptions Options() const override;
    void ApplyOptions(const quorvane::ConverterOptions& options) override;

    // Name of the frame or window that directly holds `control`.
    static QString ContainerName(const QWidget* control);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void cmdExit_Click();
    void cmdData_Click();
    void cmdHelp_Click();
    void cmdAbout_Click();
    void cmdEdit_Click();
    void mnuRightClearED_Click();
    void mnuRightClearSD_Click();
    void cmdCEarhDate_Click();
    void cmdCStarDate_Click();
    void cmdToday_Click();
    void optMD_Click();
    void optYD_Click();
    void chkRealTime_Click();
    void chkReset_Click();
    void txtYear_Change();
    void txtMonth_Change();
    void txtDate_Change();
    void txtYearDate_Change();
    void txtStarDate_Change();

private:
    void createControls();
    void setTabChain();
    void setAccessibleNames();
    void fitLayoutToCaptions();
    void connectHandlers();
    // An option button's click runs its handler, also when it was already
    // selected; a program selection runs it once too.
    void connectOptionButton(QRadioButton* button, void (frmMain::*handler)());
    // Writes a whole Earth date as one change: the fields change without
    // converting on the way, then live conversion runs once on the full date.
    void WriteEarthDate(int year, int month, int day, std::optional<int> dayOfYear);
    void EarthDateChanged();
    // The live conversion of an Earth date field's change, minus the guard
    // against a conversion's own writes.
    void ConvertEarthDateLive();
    void fraEarthDate_MouseDown(const QMouseEvent& event);
    void fraStarDate_MouseDown(const QMouseEvent& event);
    void ShowRightMenu(QAction* shown, QAction* hidden, const QPoint& globalPosition);
    void Form_Unload();
    void placeDataList(frmDataList& list) const;
    void OpenEditor(const std::string& path);

    QGroupBox* fraEarthDate = nullptr;
    QGroupBox* fraStarDate = nullptr;
    quorvane::TypedLimitLineEdit* txtYear = nullptr;
    quorvane::TypedLimitLineEdit* txtMonth = nullptr;
    quorvane::TypedLimitLineEdit* txtDate = nullptr;
    quorvane::TypedLimitLineEdit* txtYearDate = nullptr;
    quorvane::TypedLimitLineEdit* txtStarDate = nullptr;
    quorvane::TypedLimitLineEdit* txtReset = nullptr;
    QLabel* lblYear = nullptr;
    QLabel* lblMonth = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* lblYearDate = nullptr;
    QRadioButton* optMD = nullptr;
    QRadioButton* optYD = nullptr;
    QCheckBox* chkReset = nullptr;
    QCheckBox* chkRealTime = nullptr;
    QCheckBox* chkBase90 = nullptr;
    QPushButton* cmdToday = nullptr;
    QPushButton* cmdCEarhDate = nullptr;
    QPushButton* cmdCStarDate = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdData = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdAbout = nullptr;
    QPushButton* cmdExit = nullptr;
    QMenu* mnuRight = nullptr;
    QAction* mnuRightClearSD = nullptr;
    QAction* mnuRightClearED = nullptr;

    quorvane::Platform& m_platform;
    // The reset number as last given to the field, which may show it cut
    // (QLineEdit keeps 32,767 characters); it stays the option's text while
    // the field shows what it showed then.
    std::string m_givenResetNumber;
    QString m_shownResetNumber;
    int m_quietWrites = 0;  // > 0 while a conversion writes its own results
    // The option button a press started on, while it was already selected.
    QAbstractButton* m_pressedWhileSelected = nullptr;
    QPointer<frmDataList> m_dataList;
    QPointer<frmEditor> m_editor;
};
