// GridDialogTest: the fixture of most grid Wine tests.
#pragma once

#include "tests/grid/GridTestDialog.h"

#include <gtest/gtest.h>

#include <memory>

// The fixture of most grid tests: a grid of type `Grid` in a fresh dialog
// from OpenGridDialog for each test. Derived fixtures fill the grid in
// AddRows, which runs once the dialog is open.
template <class Grid = CSuperGridCtrl>
class GridDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dialog = OpenGridDialog(m_grid);
        ASSERT_NE(nullptr, m_dialog);
        AddRows();
    }
    virtual void AddRows() {}
    void TearDown() override { m_dialog.reset(); }
    HWND Dialog() const { return m_dialog->m_hWnd; }

    Grid m_grid;
    std::unique_ptr<CGridTestDialog> m_dialog;
};
