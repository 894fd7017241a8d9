#include "terrormsgform.h"

#include "apperror.h"
#include "cjkfont.h"
#include "exceptionhandler.h"
#include "messageservice.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

TErrorMsgForm::TErrorMsgForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("信息显示窗口"));
    setFont(CjkFont(QStringLiteral("宋体"), 9));
    setSizeGripEnabled(true);
    m_memo = new QPlainTextEdit(this);
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);
    resize(520, 360);

    connect(m_save, &QPushButton::clicked, this, &TErrorMsgForm::ButtonSaveClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TErrorMsgForm::addLine(const QString &line)
{
    m_memo->appendPlainText(line);
}

QStringList TErrorMsgForm::lines() const
{
    const QString text = m_memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TErrorMsgForm::ButtonSaveClick()
{
    const QString fileName = MessageService::current().saveFileName(QString(), QStringLiteral("txt (*.txt)"), this);
    if (fileName.isEmpty())
        return;
    QSaveFile file(fileName);
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Text)
                       && file.write((lines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) >= 0 && file.commit();
    if (!saved)
        HandleException(this, AppError(QStringLiteral("Cannot write %1").arg(fileName)));
}
