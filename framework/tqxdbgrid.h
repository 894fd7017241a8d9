#pragma once

#include "datagridview.h"
#include "tformmemo.h"

#include <QPointer>
#include <QSet>
#include <functional>

// The plain record grid of picture and name lists: captions, widths and visibility from the
// field rules, set up once per open. Memo columns show their text cut to the cell with
// "..." and picture columns their picture stretched to the cell; clicking such a cell opens
// TFormMemo over the field (the memo editable when MemoEditable is set), which closes when
// the dataset closes.
class TQXDBGrid : public DataGridView
{
    Q_OBJECT

public:
    explicit TQXDBGrid(QWidget *parent = nullptr);
    ~TQXDBGrid() override;

    bool MemoEditable = true;
    // Cells are edited in place while the dataset is being edited.
    bool EditState = false;
    // Called with the field of the current cell on Alt+Down (a pick list for the cell).
    std::function<void(const QString &fieldName)> PopWindowClick;
    // Called when Down is pressed on the last row.
    std::function<void()> IntoDown;

    // Columns shown as memo or picture cells. A picture field holds the picture's bytes or
    // the name of its file.
    void setMemoField(const QString &fieldName, bool memo = true);
    void setPictureField(const QString &fieldName, bool picture = true);
    bool isMemoField(const QString &fieldName) const;
    bool isPictureField(const QString &fieldName) const;

    // Captions, widths and visibility; runs once per open.
    void SetupColumns();
    void ForgetSetup() { m_columnsSetUp = false; }
    bool columnsSetUp() const { return m_columnsSetUp; }

    // The floating window of the last memo or picture cell clicked (null when none).
    TFormMemo *memoWindow() const { return m_memo; }
    // Opens the memo or picture window for a cell, as a click does.
    void OpenCell(const QModelIndex &index);

protected:
    void dataSetReplaced() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString fieldAt(int column) const;
    CellAttrDelegate::CellKind kindOf(int column) const;
    QImage pictureOf(const QModelIndex &index) const;
    void updateEditTriggers();

    QSet<QString> m_memoFields;
    QSet<QString> m_pictureFields;
    QPointer<TFormMemo> m_memo;
    QMetaObject::Connection m_stateLink;
    bool m_columnsSetUp = false;
};
