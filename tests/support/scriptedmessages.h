#pragma once

#include "messageservice.h"

#include <QQueue>
#include <QStringList>

// A MessageService for tests: records every box and answers from queues.
// Installs itself on construction and restores the default on destruction.
class ScriptedMessages final : public MessageService
{
public:
    ScriptedMessages();
    ~ScriptedMessages() override;

    QStringList warnings;
    QStringList errors;
    QStringList questions;
    QQueue<bool> answers;          // answers to questions; an empty queue answers No
    QQueue<QString> fileAnswers;   // answers to file and directory choices

    void clear();
    // Every message in the order shown, prefixed "W:", "E:" or "Q:".
    QStringList all;

    void warning(const QString &text, QObject *owner) override;
    void error(const QString &text, QObject *owner) override;
    bool question(const QString &text, QObject *owner) override;
    QString openFileName(const QString &caption, const QString &filter, QObject *owner) override;
    QString saveFileName(const QString &caption, const QString &filter, QObject *owner) override;
    QString existingDirectory(const QString &caption, const QString &start, QObject *owner) override;
};
