#pragma once
// The about window: title, version, copyright, three links and a button that
// starts the system-information tool. Built fresh for every showing:
//   frmAbout about(platform(), windowIcon(), this); about.exec();

#include <QDialog>
#include <QIcon>
#include <cstdint>

class QLabel;
class QPushButton;

namespace quorvane {
class Platform;
class LinkLabel;
}

class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout(quorvane::Platform& platform, const QIcon& mainWindowIcon, QWidget* parent = nullptr);

    // Finds and starts the system-information tool, or tells the user it is
    // not available.
    void StartSysInfo();

    // Reads one value of the registry stand-in as text; see RegistryStandIn.h.
    bool GetKeyValue(const std::int32_t& KeyRoot, const QString& KeyName,
                     const QString& SubKeyRef, QString& KeyVal);

    // The window's own icon, distinct from the main window's.
    static QIcon AboutIcon();

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblHomeTitle = nullptr;
    quorvane::LinkLabel* lblHome = nullptr;
    QLabel* lblMailTitle = nullptr;
    quorvane::LinkLabel* lblMail = nullptr;
    QLabel* lblTrekTitle = nullptr;
    quorvane::LinkLabel* lblTrek = nullptr;
    QLabel* imgMain = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void lblHome_Click();
    void lblMail_Click();
    void lblTrek_Click();

private:
    void createControls();
    void Form_Load(const QIcon& mainWindowIcon);
    QLabel* addLabel(const QString& text, double left, double top, double width, double height,
                     Qt::Alignment alignment);
    quorvane::LinkLabel* addLink(const QString& text, double left, double top, double width,
                                 double height, Qt::Alignment alignment);
    void showUnavailable();

    quorvane::Platform& m_platform;
};
