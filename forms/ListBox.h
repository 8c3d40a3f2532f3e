// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Layout.h"
#include "forms/TextList.h"

#include <QListView>
#include <functional>

class ListBoxModel;

struct ListBoxSpec {
    Twips bounds;
    FontSpec font = DefaultFont;
    QString accessibleName = {};
};

// A list box of text entries in the order added. Its Click is raised when the player
// selects an entry or clicks the one already selected, and whenever code sets ListIndex.
// Fast at any size: a million entries take one buffer, and an entry too long for any row
// is shown cut short.
class ListBox : public QListView {
public:
    ListBox(QWidget* parent, const ListBoxSpec& settings);
    ~ListBox() override;

    void setClickHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    void AddItem(const QString& item);
    // Adds the entries at the end in one step, as AddItem would one by one. The list
    // shares their storage with `items`.
    void AddItems(const TextList& items);
    void Clear();
    int ListCount() const;
    // The position of the entry added last; -1 when none was added since the last Clear.
    int NewIndex() const { return m_newIndex; }
    // The selected position, -1 for none.
    int ListIndex() const;
    // Selects an entry (-1 for none) and raises Click; a position outside the list is an
    // "invalid property value" error.
    void setListIndex(int index);
    // The selected entry's text; empty when none is selected.
    QString Text() const;
    QString List(int index) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void select(int index);

    ListBoxModel* m_model;
    std::function<void()> m_handler;
    int m_newIndex = -1;
    bool m_selectingFromCode = false;
};
