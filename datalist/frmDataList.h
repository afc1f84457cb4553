#pragma once
// A small tool window for browsing the event catalogue. Choosing a title
// shows the event's detail and source and carries its date into the main
// window, which converts it as it converts typed input.

#include "catalogue/CatalogueDocument.h"
#include "catalogue/clsStarData.h"

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStringListModel;

namespace quorvane {
struct CatalogueLoad;
class Converter;
class Platform;
}

class frmDataList : public QWidget {
    Q_OBJECT

public:
    // Builds the window and loads the catalogue from the program's folder,
    // asking the user when it is missing. Chosen events go to `converter`;
    // `owner` owns the messages and dialogs. Deletes itself when closed.
    frmDataList(quorvane::Platform& platform, quorvane::Converter& converter, QWidget* owner);
    ~frmDataList() override;

    // Reads the catalogue at `path` again, after a save. The title selected
    // stays selected where it still exists; nothing goes to the main window
    // and nothing is asked.
    void Reload(const std::string& path);

    // The record last selected; null until a title is selected.
    const clsStarData* currentRecord() const;
    int recordCount() const { return static_cast<int>(m_rows.size()); }

    // Its controls, as the data list's tests and benchmarks read them.
    QComboBox* cmbTitle = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDetail = nullptr;
    QPlainTextEdit* txtDetail = nullptr;
    QLabel* lblSource = nullptr;
    QLineEdit* txtSource = nullptr;

private slots:
    void cmbTitle_Click(int index);

private:
    void createControls();
    void Form_Load();
    // The catalogue to read, found or chosen; empty when the user declined.
    std::string locateCatalogue();
    void loadCatalogue(const std::string& path);
    // Fills the window from the file; false when the file could not be read.
    bool fillFrom(const std::string& path, quorvane::CatalogueLoad& load);
    void showRecord(int index);
    // The row entry `index` of cmbTitle shows.
    const quorvane::EventRow& rowAt(int index) const;

    quorvane::Platform& m_platform;
    quorvane::Converter& m_converter;
    QWidget* m_owner;
    QStringListModel* m_titles = nullptr;
    // In file order: entry i of cmbTitle shows m_rows[m_listOrder[i]].
    std::vector<quorvane::EventRow> m_rows;
    std::vector<std::size_t> m_listOrder;
    int m_current = -1;
    // The record handed out for m_current, made when asked for: a long
    // catalogue is never held twice.
    mutable std::optional<clsStarData> m_handedOut;
};
