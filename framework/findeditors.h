#pragma once

#include "tfieldsdata.h"
#include "tsqltype.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <functional>

class FocusColorKeeper;
class QComboBox;
class QLabel;
class QStackedWidget;
class QWidget;
class SqlDialect;
class TQXComboEdit;
class TQXEdit;

// The look-up hook of the find dialogs: the pop-up box's text in (it may be replaced by the
// display value chosen), an empty result that the screen fills (a marker, a key value or a
// whole condition), the current field's name; the returned status is not used.
using TFindPopupEvent = std::function<int(QString &value, QString &result, const QString &fieldName)>;
// Fills the value list of a field (no screen of this system assigns it).
using TFindSelectSqlEvent = std::function<void(const QString &fieldName, QStringList &values)>;

// The part both find windows share: the field list, the relation list and the value
// editors of the chosen field's FindKind, with the value checks and the condition SQL.
// Widgets are children of the form; the form lays them out.
class FindEditors final : public QObject
{
    Q_OBJECT

public:
    FindEditors(QWidget *form, bool simple);

    // Pick lists (no typing): field, relation, choice, year and month.
    QComboBox *fieldBox = nullptr;
    QComboBox *operatorBox = nullptr;
    QStackedWidget *valueStack = nullptr;
    TQXEdit *textBox = nullptr;
    QComboBox *choiceBox = nullptr;
    TQXComboEdit *popupBox = nullptr;
    QComboBox *yearBox = nullptr;
    QComboBox *monthBox = nullptr;
    QLabel *fieldLabel = nullptr;
    QLabel *operatorLabel = nullptr;
    QLabel *valueLabel = nullptr;
    QLabel *yearLabel = nullptr;
    QLabel *monthLabel = nullptr;

    TFindPopupEvent PopupWindow;
    TFindSelectSqlEvent SelectSQL;
    QColor Color;  // the calendar's colour

    void setFieldsData(const TFieldsDataArray &fields);
    const TFieldsDataArray &fieldsData() const { return m_fields; }
    // Refills the field and relation lists when the rules changed; empties the values.
    void prepareForShow();
    // Empties the field, relation and value boxes.
    void clear();
    // Colours of the input boxes and the input method.
    void applyColors(const QColor &notOnFocus, const QColor &onFocus);

    // The rule of the chosen field (the first entry with that Caption), or null.
    const TFieldsData *currentEntry() const;
    QString currentKind() const { return m_kind; }
    QString currentFieldName() const { return m_fieldName; }
    bool operatorFixed() const;
    // The relation's SQL text ("Like", "=", ...) and its display text; empty when none.
    QString operatorSql() const;
    QString operatorDisplay() const;
    // The value as the condition lines show it.
    QString valueText() const;
    QString popupResult() const { return m_popupResult; }

    // Checks the value of the chosen field and writes its condition with `op` (the relation
    // as the dialog passes it). On a failure shows the message, focuses the editor and
    // returns false.
    bool buildCondition(const QString &op, TSqlType type, const SqlDialect *dialect, QString *condition) const;

    // Runs the pop-up box's button: the calendar for "D", PopupWindow otherwise.
    void popupClicked();
    // Sets the date box as the calendar does (tests and the calendar's OK).
    void setPopupDate(const QDate &date);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fieldChanged();
    void textChanged(const QString &text);
    void resetOperators();
    void removeLike();
    void setPopupColour(const QColor &text);
    QWidget *valueEditor() const;

    QWidget *m_form;
    QList<FocusColorKeeper *> m_listColors;
    bool m_simple;
    TFieldsDataArray m_fields;
    bool m_fieldsChanged = true;
    QString m_kind;
    QString m_fieldName;
    QString m_popupValue;
    QString m_popupResult;
    bool m_cleaning = false;
};
