#pragma once
// The catalogue's events as the editor's table: the file's four columns in
// file order, and a read-only fifth with the date in the other calendar as
// the main window would convert it. Every change is a command on the undo
// stack; the document's order changes only by adding and deleting rows.

#include "catalogue/CatalogueDocument.h"
#include "conversion/Converter.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>

class QUndoStack;

class EventTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TitleColumn, DetailColumn, DateColumn, SourceColumn, ConvertedColumn };
    static constexpr int kColumnCount = 5;

    EventTableModel(quorvane::CatalogueDocument document, QObject* parent = nullptr);
    ~EventTableModel() override;

    const quorvane::CatalogueDocument& document() const { return m_document; }
    QUndoStack* undoStack() const { return m_undo; }

    // The options the converted column follows; the main window's may have
    // changed since the last look.
    void setConverterOptions(const quorvane::ConverterOptions& options);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A refused text changes nothing and raises cellRefused with the reason.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Why `text` cannot stand in the cell, or empty text when it can.
    QString refusal(const QModelIndex& index, const QString& text) const;

    // Undoable: a new event before document row `at`; returns its row.
    int addEvent(int at, const quorvane::EventRow& row);
    // Undoable: a copy right after `row`, its title made unique.
    int duplicateEvent(int row);
    // Undoable.
    void deleteEvent(int row);

    // `base`, or `base` with the lowest number that makes it no other row's title.
    std::string uniqueTitle(const std::string& base) const;

    // A save may change the file's encoding; it is no edit to undo.
    void setEncoding(quorvane::TextEncoding encoding) { m_document.encoding = encoding; }
    // The file as read again: the edits and their undo history go.
    void replaceDocument(quorvane::CatalogueDocument document);

    // For the undo commands: the document changed under the view's eyes.
    void replaceRow(int row, const quorvane::EventRow& value);
    void insertRowAt(int at, const quorvane::EventRow& value, const std::vector<std::size_t>& keptPlaces);
    void removeRowAt(int at, const std::vector<std::size_t>& keptPlaces);
    std::vector<std::size_t> keptPlaces() const;

signals:
    void cellRefused(const QModelIndex& index, const QString& reason);

private:
    QString convertedText(const quorvane::EventRow& row) const;

    quorvane::CatalogueDocument m_document;
    quorvane::ConverterOptions m_options;
    QUndoStack* m_undo;
};

// The rows as the table shows them: sorted by a heading's click without
// touching the document's order, narrowed to the titles and details that
// hold the filter text, whatever their letter case.
class EventFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFilterText(const QString& text);
    const QString& filterText() const { return m_filter; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString m_filter;
};
