#pragma once

#include "cellattrdelegate.h"
#include "tfieldsdata.h"
#include "tqxdatasource.h"

#include <QPointer>
#include <QTableView>

class TQXDataset;
class TQXQueryModel;

// What the two framework grids share: a table view over one dataset (a TQXQueryModel
// reading pages as the view scrolls, the view's current row and the dataset's current
// record kept together), the field rules, the cell-attribute hook, the focus colour, no
// input method, and the widths in characters (6.25 pixels per character at 96 dots per
// inch, scaled with the screen's resolution).
class DataGridView : public QTableView
{
    Q_OBJECT

public:
    explicit DataGridView(QWidget *parent = nullptr);
    ~DataGridView() override;

    // Shows `dataset` (not owned); null shows nothing.
    void setDataSet(TQXDataset *dataset);
    TQXDataset *dataSet() const;
    // Shows the dataset of `source` and follows it when the source gets another one.
    void setDataSource(TQXDataSource *source);
    TQXDataSource *dataSource() const { return m_source; }
    TQXQueryModel *queryModel() const { return m_model; }

    // The field rules of the grid's query (the same shared array).
    void SetFieldsData(const TFieldsDataArray &fields) { m_fields = fields; }
    const TFieldsDataArray &FieldsData() const { return m_fields; }
    TFieldsDataArray &FieldsData() { return m_fields; }

    QColor ColorOnFocus{0xC7, 0xF7, 0xF8};
    // With it, the grid's background is ColorOnFocus while it has the focus.
    void setFocusColorChange(bool on);
    bool focusColorChange() const { return m_focusColorChange; }
    // Set before a cell is drawn: the screen may colour it from its record.
    TApplyCellAttrEvent OnApplyCellAttr;

    // Enabled while the query browses, disabled while it edits; a grid with tag 1 is left
    // alone.
    void SetQueryEnabled(bool enabled);

    // The column of a field (-1: none).
    int columnOf(const QString &fieldName) const;
    // The leftmost column shown (0 when none is).
    int firstShownColumn() const;
    // Screen pixels for a width in characters, and design pixels (96 dpi) of a screen width.
    int pixelsForCharacters(int characters) const;
    int designPixels(int screenPixels) const;
    int screenPixels(int designPixels) const;

    // Moves to the last record (reading every row) and shows it; Ctrl+End does the same.
    void GoLast();
    void GoFirst();

signals:
    void dataSetChanged();

protected:
    // A new dataset is shown (also none).
    virtual void dataSetReplaced() {}
    CellAttrDelegate *cellDelegate() const { return m_delegate; }
    // After columns were hidden: the current cell moves to a shown column of its row.
    void keepCurrentShown();
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void paintFocusColour(bool focused);
    double scale() const;

    QPointer<TQXDataSource> m_source;
    QMetaObject::Connection m_sourceLink;
    TQXQueryModel *m_model = nullptr;
    CellAttrDelegate *m_delegate = nullptr;
    TFieldsDataArray m_fields;
    QColor m_normalBase;
    bool m_focusColorChange = false;
    bool m_focusPainted = false;
};
