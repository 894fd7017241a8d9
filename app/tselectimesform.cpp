#include "tselectimesform.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSelectImesForm::TSelectImesForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectImesForm"));
    setWindowTitle(QStringLiteral("输入法选择窗口"));
    setModal(true);

    m_imes = new QComboBox(this);
    m_imes->setObjectName(QStringLiteral("ImesBox"));
    m_imes->setMinimumWidth(240);
    const QInputMethod *inputMethod = QGuiApplication::inputMethod();
    m_imes->addItem(inputMethod ? inputMethod->locale().name() : QLocale().name());
    for (int i = 0; i < 3; ++i)
        m_imes->addItem(QString());

    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_close = new QPushButton(QStringLiteral("关闭[F4]"), this);
    for (QPushButton *button : {m_ok, m_close})
        button->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("输入法"), this));
    row->addWidget(m_imes, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

QString TSelectImesForm::imeName() const
{
    return m_imes->currentText();
}

void TSelectImesForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F3)
        accept();
    else if (event->key() == Qt::Key_F4)
        reject();
    else
        QDialog::keyPressEvent(event);
}
