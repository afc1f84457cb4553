#pragma once
// The main window's controls, found by their object names as any outside
// code must find them: the window keeps its controls to itself.

#include "mainwindow/frmMain.h"
#include "widgets/TypedLimitLineEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>
#include <cstdio>

namespace quorvane::testing {

template <typename Control>
Control* Named(const QObject& window, const char* name) {
    auto* control = window.findChild<Control*>(QLatin1String(name));
    if (!control) {
        // A renamed control would make every later check meaningless.
        std::fprintf(stderr, "no control named %s\n", name);
        std::abort();
    }
    return control;
}

struct MainWindowControls {
    explicit MainWindowControls(const frmMain& w)
        : fraEarthDate(Named<QGroupBox>(w, "fraEarthDate")),
          fraStarDate(Named<QGroupBox>(w, "fraStarDate")),
          txtYear(Named<TypedLimitLineEdit>(w, "txtYear")),
          txtMonth(Named<TypedLimitLineEdit>(w, "txtMonth")),
          txtDate(Named<TypedLimitLineEdit>(w, "txtDate")),
          txtYearDate(Named<TypedLimitLineEdit>(w, "txtYearDate")),
          txtStarDate(Named<TypedLimitLineEdit>(w, "txtStarDate")),
          txtReset(Named<TypedLimitLineEdit>(w, "txtReset")),
          lblYear(Named<QLabel>(w, "lblYear")),
          lblMonth(Named<QLabel>(w, "lblMonth")),
          lblDate(Named<QLabel>(w, "lblDate")),
          lblYearDate(Named<QLabel>(w, "lblYearDate")),
          optMD(Named<QRadioButton>(w, "optMD")),
          optYD(Named<QRadioButton>(w, "optYD")),
          chkReset(Named<QCheckBox>(w, "chkReset")),
          chkRealTime(Named<QCheckBox>(w, "chkRealTime")),
          chkBase90(Named<QCheckBox>(w, "chkBase90")),
          cmdToday(Named<QPushButton>(w, "cmdToday")),
          cmdCEarhDate(Named<QPushButton>(w, "cmdCEarhDate")),
          cmdCStarDate(Named<QPushButton>(w, "cmdCStarDate")),
          cmdEdit(Named<QPushButton>(w, "cmdEdit")),
          cmdData(Named<QPushButton>(w, "cmdData")),
          cmdHelp(Named<QPushButton>(w, "cmdHelp")),
          cmdAbout(Named<QPushButton>(w, "cmdAbout")),
          cmdExit(Named<QPushButton>(w, "cmdExit")),
          mnuRight(Named<QMenu>(w, "mnuRight")),
          mnuRightClearSD(Named<QAction>(w, "mnuRightClearSD")),
          mnuRightClearED(Named<QAction>(w, "mnuRightClearED")) {}

    QGroupBox* fraEarthDate;
    QGroupBox* fraStarDate;
    TypedLimitLineEdit* txtYear;
    TypedLimitLineEdit* txtMonth;
    TypedLimitLineEdit* txtDate;
    TypedLimitLineEdit* txtYearDate;
    TypedLimitLineEdit* txtStarDate;
    TypedLimitLineEdit* txtReset;
    QLabel* lblYear;
    QLabel* lblMonth;
    QLabel* lblDate;
    QLabel* lblYearDate;
    QRadioButton* optMD;
    QRadioButton* optYD;
    QCheckBox* chkReset;
    QCheckBox* chkRealTime;
    QCheckBox* chkBase90;
    QPushButton* cmdToday;
    QPushButton* cmdCEarhDate;
    QPushButton* cmdCStarDate;
    QPushButton* cmdEdit;
    QPushButton* cmdData;
    QPushButton* cmdHelp;
    QPushButton* cmdAbout;
    QPushButton* cmdExit;
    QMenu* mnuRight;
    QAction* mnuRightClearSD;
    QAction* mnuRightClearED;
};

inline MainWindowControls Ui(const frmMain& window) { return MainWindowControls(window); }
inline MainWindowControls Ui(const frmMain* window) { return MainWindowControls(*window); }
template <typename Pointer>
    requires requires(const Pointer& p) { static_cast<const frmMain&>(*p); }
MainWindowControls Ui(const Pointer& window) {
    return MainWindowControls(*window);
}

}  // namespace quorvane::testing

// Tests read controls as Ui(window).txtYear.
using quorvane::testing::Ui;
