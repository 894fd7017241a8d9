#pragma once

#include "focuscolorkeeper.h"
#include "typedcharacterguard.h"

#include <QKeySequence>
#include <QLineEdit>
#include <functional>

class QToolButton;

// An input box with a button inside its right end that opens a picker or the date dialog.
// Alt+Down (ClickKey) presses the button; without DirectInput the text changes only
// through the button's handler.
class TQXComboEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TQXComboEdit(QWidget *parent = nullptr);

    TEditTypes editType() const { return m_guard->editType(); }
    void setEditType(TEditTypes type) { m_guard->setEditType(type); }
    FocusColorKeeper &colors() { return *m_colors; }

    int buttonWidth() const { return m_buttonWidth; }
    void setButtonWidth(int width);
    QString buttonCaption() const;
    void setButtonCaption(const QString &caption);
    void setButtonHint(const QString &hint);
    bool buttonEnabled() const { return m_buttonEnabled; }
    void setButtonEnabled(bool enabled);
    bool buttonVisible() const { return m_buttonVisible; }
    void setButtonVisible(bool visible);
    bool directInput() const { return m_directInput; }
    void setDirectInput(bool direct);
    QKeySequence clickKey() const { return m_clickKey; }
    void setClickKey(const QKeySequence &key) { m_clickKey = key; }
    QToolButton *button() const { return m_button; }

    std::function<void(bool &keepFocus)> OnSelect;

signals:
    // OnButtonClick.
    void buttonClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void layoutButton();
    bool buttonShown() const;

    FocusColorKeeper *m_colors;
    TypedCharacterGuard *m_guard;
    QToolButton *m_button;
    QKeySequence m_clickKey{Qt::ALT | Qt::Key_Down};
    int m_buttonWidth = 19;
    bool m_buttonEnabled = true;
    bool m_buttonVisible = true;
    bool m_directInput = true;
};
