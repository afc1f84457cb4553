#include "editor/EventTableModel.h"

#include "catalogue/TitleKey.h"

#include "catalogue/CarryDate.h"
#include "catalogue/TaggedValue.h"
#include "widgets/ShownText.h"
#include "widgets/Utf8.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <tuple>
#include <utility>

using quorvane::EventRow;
using quorvane::FromUtf8;
using quorvane::ToUtf8;

namespace {

std::string& Cell(EventRow& row, int column) {
    switch (column) {
        case EventTableModel::TitleColumn: return row.title;
        case EventTableModel::DetailColumn: return row.detail;
        default: return row.source;
    }
}

class EditCellCommand : public QUndoCommand {
public:
    EditCellCommand(EventTableModel& model, int row, EventRow before, EventRow after)
        : QUndoCommand(EventTableModel::tr("編集")),
          m_model(model), m_row(row), m_before(std::move(before)), m_after(std::move(after)) {}
    void redo() override { m_model.replaceRow(m_row, m_after); }
    void undo() override { m_model.replaceRow(m_row, m_before); }

private:
    EventTableModel& m_model;
    int m_row;
    EventRow m_before;
    EventRow m_after;
};

// Adding and deleting are one command read both ways. The unreadable lines
// keep their places exactly: an undo puts back the places they had.
class RowCommand : public QUndoCommand {
public:
    RowCommand(EventTableModel& model, bool insert, int row, EventRow value)
        : QUndoCommand(insert ? EventTableModel::tr("追加") : EventTableModel::tr("削除")),
          m_model(model), m_insert(insert), m_row(row), m_value(std::move(value)),
          m_keptBefore(model.keptPlaces()), m_keptAfter(m_keptBefore) {
        // Lines that stood before a later row follow that row.
        for (std::size_t& place : m_keptAfter) {
            if (place > static_cast<std::size_t>(row)) insert ? ++place : --place;
        }
    }
    void redo() override { apply(m_insert, m_keptAfter); }
    void undo() override { apply(!m_insert, m_keptBefore); }

private:
    void apply(bool insert, const std::vector<std::size_t>& places) {
        if (insert) m_model.insertRowAt(m_row, m_value, places);
        else m_model.removeRowAt(m_row, places);
    }

    EventTableModel& m_model;
    bool m_insert;
    int m_row;
    EventRow m_value;
    std::vector<std::size_t> m_keptBefore;
    std::vector<std::size_t> m_keptAfter;
};

}  // namespace

EventTableModel::EventTableModel(quorvane::CatalogueDocument document, QObject* parent)
    : QAbstractTableModel(parent), m_document(std::move(document)), m_undo(new QUndoStack(this)) {}

EventTableModel::~EventTableModel() = default;

void EventTableModel::replaceDocument(quorvane::CatalogueDocument document) {
    beginResetModel();
    m_document = std::move(document);
    endResetModel();
    m_undo->clear();
}

void EventTableModel::setConverterOptions(const quorvane::ConverterOptions& options) {
    if (options == m_options) return;
    m_options = options;
    if (!m_document.rows.empty())
        emit dataChanged(index(0, ConvertedColumn), index(rowCount() - 1, ConvertedColumn));
}

int EventTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_document.rows.size());
}

int EventTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant EventTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const EventRow& row = m_document.rows[static_cast<std::size_t>(index.row())];
    // A cell shows a line's worth of its text, which is all that every paint,
    // size hint and elision then works on; its editor gets the whole text.
    const auto text = [role](const std::string& cell) {
        return role == Qt::EditRole ? FromUtf8(cell) : quorvane::ShownText(cell, quorvane::kShownLineLength);
    };
    switch (index.column()) {
        case TitleColumn: return text(row.title);
        case DetailColumn: return text(row.detail);
        case DateColumn: return FromUtf8(quorvane::DateCellText(row.date));
        case SourceColumn: return text(row.source);
        case ConvertedColumn: return convertedText(row);
    }
    return {};
}

QString EventTableModel::convertedText(const EventRow& row) const {
    return FromUtf8(quorvane::OtherCalendarText(row.date, m_options.switches()));
}

QVariant EventTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section == ConvertedColumn) return tr("換算日付");
    if (section >= 0 && section < ConvertedColumn)
        return FromUtf8(m_document.headings[static_cast<std::size_t>(section)]);
    return {};
}

Qt::ItemFlags EventTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == ConvertedColumn ? flags : flags | Qt::ItemIsEditable;
}

QString EventTableModel::refusal(const QModelIndex& index, const QString& text) const {
    if (!index.isValid() || index.column() == ConvertedColumn) return tr("この欄は変更できません");
    const auto reason = quorvane::CellRefusal(m_document, static_cast<std::size_t>(index.row()),
                                              index.column(), ToUtf8(text));
    return reason ? FromUtf8(*reason) : QString();
}

bool EventTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == ConvertedColumn) return false;
    const QString text = value.toString();
    if (const QString reason = refusal(index, text); !reason.isEmpty()) {
        emit cellRefused(index, reason);
        return false;
    }
    const EventRow& before = m_document.rows[static_cast<std::size_t>(index.row())];
    EventRow after = before;
    if (index.column() == DateColumn) after.date = *quorvane::ParseDateCell(ToUtf8(text));
    else Cell(after, index.column()) = ToUtf8(text);
    // Leaving a cell as it was is no change to undo or to save.
    if (after == before) return true;
    after.asRead.clear();
    m_undo->push(new EditCellCommand(*this, index.row(), before, std::move(after)));
    return true;
}

std::string EventTableModel::uniqueTitle(const std::string& base) const {
    std::string title = base;
    for (int n = 2; quorvane::CellRefusal(m_document, m_document.rows.size(), TitleColumn, title); ++n)
        title = base + " (" + std::to_string(n) + ")";
    return title;
}

int EventTableModel::addEvent(int at, const EventRow& row) {
    at = std::clamp(at, 0, rowCount());
    m_undo->push(new RowCommand(*this, true, at, row));
    return at;
}

int EventTableModel::duplicateEvent(int row) {
    EventRow copy = m_document.rows.at(static_cast<std::size_t>(row));
    copy.title = uniqueTitle(copy.title);
    copy.asRead.clear();
    m_undo->push(new RowCommand(*this, true, row + 1, std::move(copy)));
    return row + 1;
}

void EventTableModel::deleteEvent(int row) {
    m_undo->push(new RowCommand(*this, false, row, m_document.rows.at(static_cast<std::size_t>(row))));
}

void EventTableModel::replaceRow(int row, const EventRow& value) {
    m_document.rows[static_cast<std::size_t>(row)] = value;
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

std::vector<std::size_t> EventTableModel::keptPlaces() const {
    std::vector<std::size_t> places;
    places.reserve(m_document.kept.size());
    for (const quorvane::KeptLines& kept : m_document.kept) places.push_back(kept.beforeRow);
    return places;
}

void EventTableModel::insertRowAt(int at, const EventRow& value,
                                  const std::vector<std::size_t>& keptPlaces) {
    beginInsertRows({}, at, at);
    m_document.rows.insert(m_document.rows.begin() + at, value);
    for (std::size_t i = 0; i < keptPlaces.size(); ++i) m_document.kept[i].beforeRow = keptPlaces[i];
    endInsertRows();
}

void EventTableModel::removeRowAt(int at, const std::vector<std::size_t>& keptPlaces) {
    beginRemoveRows({}, at, at);
    m_document.rows.erase(m_document.rows.begin() + at);
    for (std::size_t i = 0; i < keptPlaces.size(); ++i) m_document.kept[i].beforeRow = keptPlaces[i];
    endRemoveRows();
}

void EventFilterModel::setFilterText(const QString& text) {
    if (text == m_filter) return;
    m_filter = text;
    invalidateFilter();
}

bool EventFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_filter.isEmpty()) return true;
    for (const int column : {EventTableModel::TitleColumn, EventTableModel::DetailColumn}) {
        const QModelIndex cell = sourceModel()->index(sourceRow, column, sourceParent);
        // The whole text: a word past what the cell shows is found too.
        if (cell.data(Qt::EditRole).toString().contains(m_filter, Qt::CaseInsensitive)) return true;
    }
    return false;
}

bool EventFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (left.column() == EventTableModel::ConvertedColumn)
        return QSortFilterProxyModel::lessThan(left, right);
    if (left.column() != EventTableModel::DateColumn) {
        // The whole texts, by the event list's rule: letter case folded, then
        // the file's order.
        std::string leftScratch;
        std::string rightScratch;
        const QByteArray a = left.data(Qt::EditRole).toString().toUtf8();
        const QByteArray b = right.data(Qt::EditRole).toString().toUtf8();
        const int c = quorvane::TitleKey(std::string_view(a.constData(), std::size_t(a.size())), leftScratch)
                          .compare(quorvane::TitleKey(std::string_view(b.constData(), std::size_t(b.size())),
                                                      rightScratch));
        return c != 0 ? c < 0 : left.row() < right.row();
    }
    // Stardates by their number, then Earth dates by the calendar.
    const auto* model = static_cast<const EventTableModel*>(sourceModel());
    const auto& rows = model->document().rows;
    const quorvane::EventDate& a = rows[static_cast<std::size_t>(left.row())].date;
    const quorvane::EventDate& b = rows[static_cast<std::size_t>(right.row())].date;
    if (a.index() != b.index()) return a.index() < b.index();
    if (const double* x = std::get_if<double>(&a)) return *x < std::get<double>(b);
    const auto& x = std::get<quorvane::DateValue>(a);
    const auto& y = std::get<quorvane::DateValue>(b);
    return std::tie(x.year, x.month, x.day) < std::tie(y.year, y.month, y.day);
}
