// The form the tree and list tests work on: shown, 400 x 300, a tree at the
// left and a list at the right, each 280 pixels high, as in the folder picker.
#pragma once

#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"

struct RowsForm {
    TForm* form = new TForm(nullptr);
    TTreeView* tree = new TTreeView(form);
    TListView* list = new TListView(form);
    RowsForm() {
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        tree->SetParent(form);
        tree->SetBounds(8, 8, 200, 280);
        list->SetParent(form);
        list->SetBounds(216, 8, 176, 280);
        form->Show();
    }
    ~RowsForm() { delete form; }
    RowsForm(const RowsForm&) = delete;
    RowsForm& operator=(const RowsForm&) = delete;
};
