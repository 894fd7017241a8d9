#pragma once

#include "findeditors.h"
#include "tfieldsdata.h"
#include "tsqltype.h"

#include <QColor>
#include <QObject>
#include <QPointer>

class TQXFindSimpleForm;

// The one-condition find dialog component (the users screen): Execute shows its window
// modally; afterwards Condition holds the single SQL condition, or AllData is set when the
// user chose "全部数据". It never runs a statement.
class TFindSimpleFormDialog final : public QObject
{
    Q_OBJECT

public:
    enum TLanguage { GB, BIG5 };

    explicit TFindSimpleFormDialog(QWidget *owner);
    ~TFindSimpleFormDialog() override;

    TFindPopupEvent PopupWindow;
    TFindSelectSqlEvent SelectSQL;
    TSqlType SqlType = urStandard;
    QColor ColorNotOnFocus;
    QColor ColorOnFocus;
    QColor Color;
    TLanguage Language = GB;
    QString Caption;
    QString ImeName;
    int FieldIndex = -1;
    int ConnectionIndex = -1;
    QString BaseSQL;

    void SetFieldsData(const TFieldsDataArray &fields);
    bool Execute();
    void Prepare();

    QString Condition() const;
    bool AllData() const;
    TQXFindSimpleForm *window() const { return m_window; }

private:
    QPointer<TQXFindSimpleForm> m_window;
};
