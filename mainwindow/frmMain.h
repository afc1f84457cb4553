#pragma once
// The converter's main window. Its controls are public, under their own names,
// because the data list window and the settings write into them directly, as
// a user would; every program write raises the same notifications as typing.

#include <QPointer>
#include <QWidget>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMouseEvent;
class QAction;
class QPushButton;
class QRadioButton;
class frmDataList;

namespace quorvane {
class Platform;
class TypedLimitLineEdit;
}

class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(quorvane::Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    quorvane::Platform& platform() const { return m_platform; }

    // Restores the remembered position and options; run once before the
    // window is first shown. Leaves the focus in the year field.
    void Form_Load();

    // Opens the event list under this window, or brings it back there.
    void ShowDataList();
    void OpenReadme();
    // Finds the catalogue, asking for it when it is missing; editing it is
    // not offered yet, so cmdEdit stays hidden.
    void EditDatabase();

    // The event list while it is open; null otherwise.
    frmDataList* DataList() const;

    // Conversions between the two sides of the window.
    void ConvertToEarthDate();
    void ConvertToStarDate();
    bool IsEarthDateComplete() const;

    // Writes a whole Earth date as one change: the fields change without
    // converting on the way, then live conversion runs once on the full date.
    void WriteEarthDate(int year, int month, int day, std::optional<int> dayOfYear);

    // Name of the frame or window that directly holds `control`.
    static QString ContainerName(const QWidget* control);

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
    void fitFontToCaptions();
    void connectHandlers();
    void EarthDateChanged();
    // The live conversion of an Earth date field's change, minus the guard
    // against a conversion's own writes.
    void ConvertEarthDateLive();
    void fraEarthDate_MouseDown(const QMouseEvent& event);
    void fraStarDate_MouseDown(const QMouseEvent& event);
    void ShowRightMenu(QAction* shown, QAction* hidden, const QPoint& globalPosition);
    void Form_Unload();
    void placeDataList(frmDataList& list) const;

    quorvane::Platform& m_platform;
    int m_quietWrites = 0;  // > 0 while a conversion writes its own results
    QPointer<frmDataList> m_dataList;
};
