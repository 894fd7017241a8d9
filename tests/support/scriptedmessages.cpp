#include "scriptedmessages.h"

ScriptedMessages::ScriptedMessages() { MessageService::install(this); }
ScriptedMessages::~ScriptedMessages() { MessageService::install(nullptr); }

void ScriptedMessages::clear()
{
    warnings.clear();
    errors.clear();
    questions.clear();
    all.clear();
}

void ScriptedMessages::warning(const QString &text, QObject *)
{
    warnings << text;
    all << QStringLiteral("W:") + text;
}

void ScriptedMessages::error(const QString &text, QObject *)
{
    errors << text;
    all << QStringLiteral("E:") + text;
}

bool ScriptedMessages::question(const QString &text, QObject *)
{
    questions << text;
    all << QStringLiteral("Q:") + text;
    return answers.isEmpty() ? false : answers.dequeue();
}

QString ScriptedMessages::openFileName(const QString &, const QString &, QObject *)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedMessages::saveFileName(const QString &, const QString &, QObject *)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedMessages::existingDirectory(const QString &, const QString &, QObject *)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}
