// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/ListBox.h"

#include "forms/RuntimeError.h"

#include <QAbstractListModel>
#include <QMouseEvent>

namespace {

// Longer entries are shown cut to this many characters: far more than a row can show, and
// a row is elided at its edge anyway, but laying out a hand-edited name of megabytes on
// every paint would freeze the screen. The entry itself keeps its whole text.
constexpr qsizetype longestShown = 256;

} // namespace

class ListBoxModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_items.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
            return shown(index.row());
        }
        return {};
    }

    void append(const TextList& items) {
        const qsizetype first = m_items.size();
        beginInsertRows({}, int(first), int(first + items.size() - 1));
        m_items.append(items); // into an empty list, by sharing the texts' storage
        endInsertRows();
    }

    void clear() {
        beginResetModel();
        m_items.clear();
        endResetModel();
    }

    const TextList& items() const { return m_items; }

private:
    // Only the characters shown are decoded: a name of gigabytes costs no more.
    QString shown(int row) const {
        if (m_items.length(row) <= longestShown) {
            return m_items.at(row);
        }
        return m_items.first(row, longestShown - 1) + u'\u2026';
    }

    TextList m_items;
};

ListBox::ListBox(QWidget* parent, const ListBoxSpec& settings)
    : QListView(parent), m_model(new ListBoxModel(this)) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(settings.font));
    setAccessibleName(settings.accessibleName);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setModel(m_model);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_selectingFromCode && m_handler) {
            m_handler();
        }
    });
}

ListBox::~ListBox() = default;

void ListBox::mousePressEvent(QMouseEvent* event) {
    const int before = ListIndex();
    QListView::mousePressEvent(event);
    // A click on the entry already selected changes no selection, yet it is a click.
    const bool onSelected = before >= 0 && ListIndex() == before &&
                            indexAt(event->position().toPoint()).row() == before;
    if (event->button() == Qt::LeftButton && onSelected && m_handler) {
        m_handler();
    }
}

void ListBox::AddItem(const QString& item) {
    AddItems(TextList{item});
}

void ListBox::AddItems(const TextList& items) {
    if (!items.isEmpty()) {
        m_model->append(items);
        m_newIndex = int(m_model->items().size()) - 1;
    }
}

void ListBox::Clear() {
    m_model->clear();
    m_newIndex = -1;
}

int ListBox::ListCount() const {
    return int(m_model->items().size());
}

int ListBox::ListIndex() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= ListCount()) {
        throw RuntimeError(RuntimeError::InvalidPropertyValue,
                           QStringLiteral("Neplatná hodnota vlastnosti"));
    }
    select(index);
    if (m_handler) {
        m_handler();
    }
}

void ListBox::select(int index) {
    m_selectingFromCode = true;
    const QModelIndex modelIndex = m_model->index(index, 0);
    selectionModel()->setCurrentIndex(modelIndex, QItemSelectionModel::ClearAndSelect);
    if (index >= 0) {
        scrollTo(modelIndex);
    }
    m_selectingFromCode = false;
}

QString ListBox::Text() const {
    const int index = ListIndex();
    return index >= 0 ? m_model->items().at(index) : QString();
}

QString ListBox::List(int index) const {
    return m_model->items().value(index);
}
