#pragma once

#include <QCoreApplication>
#include <QPoint>

#include <array>
#include <cstdint>

class CColumnMap;
class CReceiverListHeader;
class CReceiverListView;

// Which columns the operator hid, kept by logical key so that the Port
// column coming or going never moves a choice onto another column; the
// header's column menu; the default widths.
class CColumnVisibility
{
    Q_DECLARE_TR_FUNCTIONS(CColumnVisibility)

public:
    CColumnVisibility(CReceiverListView* pView, CReceiverListHeader* pHeader, const CColumnMap* pColumns);

    // A column's width before the operator changes it, in a layout; -1 for a
    // key out of range.
    static int DefaultWidth(int nKey, const CColumnMap& columns);
    // Every column of the layout at its default width.
    void SetDefaultWidths();

    // The column with the check box is always shown; the Port column shows
    // exactly when the port preference says so.
    bool IsVisible(int nKey) const;
    // Returns false when the column cannot be hidden or shown by choice.
    bool SetVisible(int nKey, bool bVisible);
    bool IsChoosable(int nKey) const;
    // Hides and shows the sections as chosen; after every re-layout or rebuild.
    void Apply();
    // Every column shown again, at its default width.
    void Reset();

    uint32_t HiddenKeys() const { return m_nHiddenKeys; }
    // A column's width by key, also while it is hidden; -1 for a column the
    // view does not have.
    int Width(int nKey) const;
    void SetWidth(int nKey, int nWidth);
    // Replaces the choices at once (a restored layout).
    void SetHiddenKeys(uint32_t nHiddenKeys);

    // Opens the column menu at a global position; it closes by itself.
    void ShowMenu(const QPoint& posGlobal);

private:
    bool IsEffectivelyHidden(int nKey) const;

    CReceiverListView* const m_pView;
    CReceiverListHeader* const m_pHeader;
    const CColumnMap* const m_pColumns;
    uint32_t m_nHiddenKeys = 0;
    // The width a section had when it was hidden; the header forgets it.
    std::array<int, 12> m_arrHiddenWidth {};
};
