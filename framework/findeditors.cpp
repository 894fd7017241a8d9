#include "findeditors.h"

#include "datepicking.h"
#include "findcondition.h"
#include "messageservice.h"
#include "tdateform.h"
#include "focuscolorkeeper.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>

namespace {

const QString LikeDisplay = QStringLiteral("相似");
const QString ValueNeeded = QStringLiteral("必须有一个查找的值");

// Enter and the arrows move the focus along the window's Tab order.
void moveFocus(QWidget *from, bool forward)
{
    QWidget *next = from;
    do {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    } while (next && next != from
             && !(next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus));
    if (next)
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

} // namespace

FindEditors::FindEditors(QWidget *form, bool simple) : QObject(form), m_form(form), m_simple(simple)
{
    fieldLabel = new QLabel(QStringLiteral("查找字段"), form);
    operatorLabel = new QLabel(QStringLiteral("查找关系"), form);
    valueLabel = new QLabel(QStringLiteral("查找值"), form);
    yearLabel = new QLabel(QStringLiteral("查找年份"), form);
    monthLabel = new QLabel(QStringLiteral("查找月份"), form);

    fieldBox = new QComboBox(form);
    fieldBox->setObjectName(QStringLiteral("FieldBox"));
    operatorBox = new QComboBox(form);
    operatorBox->setObjectName(QStringLiteral("ConnectionBox"));

    valueStack = new QStackedWidget(form);
    textBox = new TQXEdit(valueStack);
    textBox->setObjectName(QStringLiteral("ValueEdit"));
    choiceBox = new QComboBox(valueStack);
    choiceBox->setObjectName(QStringLiteral("ValueList"));
    popupBox = new TQXComboEdit(valueStack);
    popupBox->setObjectName(QStringLiteral("ValuePopup"));
    valueStack->addWidget(textBox);
    valueStack->addWidget(choiceBox);
    valueStack->addWidget(popupBox);
    valueStack->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    valueStack->setFixedHeight(std::max(textBox->sizeHint().height(), popupBox->sizeHint().height()));

    yearBox = new QComboBox(form);
    monthBox = new QComboBox(form);
    for (QComboBox *list : {fieldBox, operatorBox, choiceBox, yearBox, monthBox}) {
        list->setAttribute(Qt::WA_InputMethodEnabled, false);
        m_listColors << new FocusColorKeeper(list);
    }
    for (QWidget *hidden : std::initializer_list<QWidget *>{yearBox, monthBox, yearLabel, monthLabel})
        hidden->hide();

    connect(fieldBox, &QComboBox::currentIndexChanged, this, &FindEditors::fieldChanged);
    connect(textBox, &QLineEdit::textChanged, this, &FindEditors::textChanged);
    connect(popupBox, &TQXComboEdit::buttonClicked, this, &FindEditors::popupClicked);
    for (QWidget *control : std::initializer_list<QWidget *>{fieldBox, operatorBox, textBox, yearBox, monthBox, popupBox,
                                                             choiceBox})
        control->installEventFilter(this);
}

void FindEditors::setFieldsData(const TFieldsDataArray &fields)
{
    m_fields = fields;
    m_fieldsChanged = true;
}

void FindEditors::clear()
{
    const QSignalBlocker blocker(fieldBox);
    fieldBox->clear();
    operatorBox->clear();
    operatorBox->setEnabled(true);
    textBox->clear();
    choiceBox->clear();
    popupBox->clear();
    m_kind.clear();
    m_fieldName.clear();
    m_popupValue.clear();
    m_popupResult.clear();
    m_fieldsChanged = true;
}

void FindEditors::prepareForShow()
{
    if (m_fieldsChanged) {
        const QSignalBlocker blocker(fieldBox);
        fieldBox->clear();
        for (const TFieldsData &entry : m_fields) {
            if (!entry.Caption.isEmpty() && !entry.FindKind.trimmed().isEmpty())
                fieldBox->addItem(entry.Caption);
        }
        fieldBox->setCurrentIndex(-1);
        resetOperators();
        operatorBox->setCurrentIndex(-1);
        m_fieldsChanged = false;
    }
    textBox->clear();
    choiceBox->clear();
    popupBox->clear();
    m_popupValue.clear();
    m_popupResult.clear();
    fieldBox->setFocus();
}

void FindEditors::applyColors(const QColor &notOnFocus, const QColor &onFocus)
{
    QList<FocusColorKeeper *> keepers = m_listColors;
    keepers << &textBox->colors() << &popupBox->colors();
    for (FocusColorKeeper *colors : std::as_const(keepers)) {
        if (notOnFocus.isValid())
            colors->setNormalColor(notOnFocus);
        if (onFocus.isValid())
            colors->setColorOnFocus(onFocus);
    }
}

const TFieldsData *FindEditors::currentEntry() const
{
    const QString caption = fieldBox->currentText();
    if (caption.isEmpty())
        return nullptr;
    for (const TFieldsData &entry : m_fields) {
        if (entry.Caption == caption)
            return &entry;
    }
    return nullptr;
}

void FindEditors::resetOperators()
{
    const QString chosen = operatorBox->currentText();
    operatorBox->clear();
    for (const TFindConnectTypeName &name : FindConnectNames())
        operatorBox->addItem(name.Display);
    operatorBox->setCurrentIndex(operatorBox->findText(chosen));
}

void FindEditors::removeLike()
{
    if (operatorBox->count() > 0 && operatorBox->itemText(0) == LikeDisplay)
        operatorBox->removeItem(0);
}

void FindEditors::setPopupColour(const QColor &text)
{
    QPalette colours = popupBox->palette();
    colours.setColor(QPalette::Text, text.isValid() ? text : m_form->palette().color(QPalette::Text));
    popupBox->setPalette(colours);
}

bool FindEditors::operatorFixed() const
{
    return !operatorBox->isEnabled();
}

void FindEditors::fieldChanged()
{
    textBox->clear();
    choiceBox->clear();
    popupBox->clear();
    m_popupValue.clear();
    m_popupResult.clear();
    textBox->setEditType(etString);
    operatorBox->setEnabled(true);
    popupBox->setReadOnly(false);
    setPopupColour(QColor());
    if (operatorBox->count() == 0 || operatorBox->itemText(0) != LikeDisplay)
        operatorBox->insertItem(0, LikeDisplay);

    const TFieldsData *entry = currentEntry();
    m_kind = entry ? entry->FindKind.trimmed() : QString();
    m_fieldName = entry ? entry->FieldName : QString();
    if (!entry)
        return;
    const bool number = entry->DataKind == QLatin1String("N");
    if (m_kind == QLatin1String("T") || m_kind == QLatin1String("LS")) {
        valueStack->setCurrentWidget(textBox);
        if (number) {
            textBox->setEditType(etFloat);
            removeLike();
        }
    } else if (m_kind == QLatin1String("B")) {
        valueStack->setCurrentWidget(choiceBox);
        QStringList items;
        for (const QString &item : entry->KeyField.split(QLatin1Char(';'))) {
            if (!item.isEmpty())
                items << item;
        }
        if (SelectSQL)
            SelectSQL(entry->FieldName, items);
        choiceBox->addItems(items);
        choiceBox->setCurrentIndex(-1);
        removeLike();
    } else {
        valueStack->setCurrentWidget(popupBox);
        if (m_kind == QLatin1String("D") || (m_kind == QLatin1String("DT") && number)) {
            removeLike();
        } else if (m_kind == QLatin1String("BS")) {
            popupBox->setReadOnly(true);
            setPopupColour(Qt::blue);
            removeLike();
            operatorBox->setCurrentIndex(operatorBox->findText(QStringLiteral("等于")));
            operatorBox->setEnabled(false);
        } else if (m_kind == QLatin1String("ES")) {
            setPopupColour(Qt::red);
        }
    }
}

void FindEditors::textChanged(const QString &text)
{
    if (m_cleaning)
        return;
    const QString cleaned = CleanFindValue(text, m_simple);
    if (cleaned == text)
        return;
    m_cleaning = true;
    textBox->setText(cleaned);
    m_cleaning = false;
}

QString FindEditors::operatorSql() const
{
    const QString display = operatorBox->currentText();
    for (const TFindConnectTypeName &name : FindConnectNames()) {
        if (name.Display == display)
            return name.Sql;
    }
    return {};
}

QString FindEditors::operatorDisplay() const
{
    return operatorBox->currentText();
}

QWidget *FindEditors::valueEditor() const
{
    return valueStack->currentWidget();
}

QString FindEditors::valueText() const
{
    if (m_kind == QLatin1String("T") || m_kind == QLatin1String("LS"))
        return textBox->text().trimmed();
    if (m_kind == QLatin1String("B"))
        return choiceBox->currentText().trimmed();
    return popupBox->text().trimmed();
}

bool FindEditors::buildCondition(const QString &op, TSqlType type, const SqlDialect *dialect, QString *condition) const
{
    const TFieldsData *entry = currentEntry();
    if (!entry)
        return false;
    const QString value = valueText();
    const auto refuse = [this](const QString &message) {
        ShowWarning(message);
        valueEditor()->setFocus();
        return false;
    };
    if (m_kind == QLatin1String("D")) {
        if (value.isEmpty())
            return refuse(QStringLiteral("必须有一个查找的日期"));
        if (!ParseFindDate(value).isValid())
            return refuse(QStringLiteral("错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”"));
    } else if (value.isEmpty()) {
        return refuse(ValueNeeded);
    }
    if (m_kind == QLatin1String("ES")) {
        if (m_popupResult.isEmpty())
            return refuse(QStringLiteral("必须从弹出的窗口里选择一个值"));
        if (value != m_popupValue.trimmed())
            return refuse(QStringLiteral("选择出来的值不能改变"));
    }
    if (m_kind == QLatin1String("BS") && m_popupResult.isEmpty())
        return refuse(ValueNeeded);
    *condition = FindCondition(type, dialect, m_simple).build(*entry, op, value, m_popupResult);
    return true;
}

void FindEditors::popupClicked()
{
    if (m_kind == QLatin1String("D")) {
        TDateForm calendar(m_form);
        calendar.setWindowTitle(QStringLiteral("日期选择窗口"));
        calendar.setOkButton(QStringLiteral("确认[F3]"), QKeySequence(Qt::Key_F3));
        calendar.setCloseButton(QStringLiteral("关闭[F12]"), QKeySequence(Qt::Key_F12));
        if (Color.isValid()) {
            QPalette colours = calendar.calendar()->palette();
            colours.setColor(QPalette::Base, Color);
            calendar.calendar()->setPalette(colours);
        }
        const QDate start = PickDateStart(popupBox->text(), QDate::currentDate());
        if (start.isValid())
            calendar.setSelectedDate(start);
        if (calendar.exec() == QDialog::Accepted)
            setPopupDate(calendar.selectedDate());
        return;
    }
    if (!PopupWindow || m_kind.isEmpty())
        return;
    QString value = popupBox->text();
    QString result;
    PopupWindow(value, result, m_fieldName);
    if (!result.isEmpty()) {
        m_popupValue = value;
        m_popupResult = result;
        popupBox->setText(value);
    }
}

void FindEditors::setPopupDate(const QDate &date)
{
    popupBox->setText(date.toString(QStringLiteral("yyyy-MM-dd")));
}

bool FindEditors::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == popupBox) {
        popupClicked();
        return true;
    }
    if (enter && watched != choiceBox) {
        moveFocus(static_cast<QWidget *>(watched), true);
        return true;
    }
    if (watched == choiceBox && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
        moveFocus(choiceBox, key->key() == Qt::Key_Right);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
