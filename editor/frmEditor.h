#pragma once
// The catalogue editor: the events as a table to edit in place, with undo,
// a filter and a sort that leave the file's order alone, and a save that
// replaces the file only whole, keeping the previous one as "<file>.bak".
// Like the event list it reaches the main window only through the converter.

#include "catalogue/CatalogueDocument.h"
#include "saving/SaveFlow.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CellDelegate;
class EditorQuestions;
class EventFilterModel;
class EventTableModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace quorvane {
class Converter;
class Platform;
}

class frmEditor : public QWidget {
    Q_OBJECT

public:
    // Reads the catalogue at `path`; when it cannot be read the user is told
    // and isLoaded() is false. Chosen dates go to `converter`; `owner` owns
    // the messages. Deletes itself when closed.
    frmEditor(quorvane::Platform& platform, quorvane::Converter& converter, QWidget* owner,
              const std::string& path);
    ~frmEditor() override;

    bool isLoaded() const { return m_model != nullptr; }
    bool isModified() const;
    // The file the next save writes (the user's copy once a save went there).
    const std::string& path() const { return m_path; }
    EventTableModel* model() const { return m_model; }

    // Writes the catalogue; false when nothing was written (the user was
    // told why, or declined). A file another program changed since it was
    // read is asked about first: reload, overwrite or cancel.
    bool Save();
    // Asks about unsaved changes and saves when told to; false when the
    // window is to stay open.
    bool QueryClose();

    QLabel* lblFilter = nullptr;
    QLineEdit* txtFilter = nullptr;
    QTableView* grdEvents = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblFile = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDuplicate = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdRedo = nullptr;
    QPushButton* cmdCarry = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdClose = nullptr;

signals:
    // The catalogue at `path` now holds what the editor shows.
    void catalogueSaved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void cmdAdd_Click();
    void cmdDuplicate_Click();
    void cmdDelete_Click();
    void cmdCarry_Click();
    void cmdSave_Click();
    void txtFilter_Change(const QString& text);
    void grdEvents_DoubleClick(const QModelIndex& index);
    // Offers the user's copy the events a newer program ships, once for each
    // version of the program's own catalogue.
    void offerShippedEvents();

private:
    void createControls();
    void createGrid();
    void createButtons();
    void connectControls();
    // Reads m_path; false when the user was told it cannot be read.
    bool load();
    // None: the file holds what the editor read or wrote. Overwrite: the
    // user let the editor's version replace another program's. Keep: the
    // user reloaded or cancelled, or was already asked about this version.
    enum class OutsideChange { None, Overwrite, Keep };
    // `agreed` receives the file as the save may replace it.
    OutsideChange resolveOutsideChange(bool saving, quorvane::FileStamp* agreed = nullptr,
                                       quorvane::SavePurpose purpose = quorvane::SavePurpose::Save);
    // Shows the other program's version the user asked for.
    void reloadFrom(const QString& path);
    void checkOutsideChange();
    bool reload();
    void showFile();
    bool tellSaveFailed(const QString& reason);
    // Adds after the file's own lines the events of `shipped` it lacks as it
    // is at that moment, and reads it again; false when nothing was written
    // (the user was told why, or declined).
    bool appendEvents(const quorvane::CatalogueDocument& shipped);
    void showRefusal(const QString& reason);
    void refreshConverted();
    // The document row of the view's current row; -1 when there is none.
    int currentRow() const;
    void selectRow(int documentRow, int column);
    void CarryDate(int documentRow);
    void restorePlacement();
    void savePlacement() const;
    CellDelegate* delegate() const;

    quorvane::Platform& m_platform;
    quorvane::Converter& m_converter;
    QWidget* m_owner;
    std::string m_path;
    std::size_t m_unreadableLines = 0;
    EventTableModel* m_model = nullptr;
    EventFilterModel* m_view = nullptr;
    std::unique_ptr<EditorQuestions> m_questions;
    std::unique_ptr<quorvane::SaveFlow> m_save;
    bool m_busy = false;
};
