#pragma once

#include <QString>

class QObject;

// The directory dialog of the backup and repair commands: the desktop's folder picker
// (through the message service, so tests answer it), captioned by the dialog kind. The
// picker is the desktop's own, with the desktop's font for either language.
// The chosen directory is given with a trailing separator.
class TOpenDirDialog final
{
public:
    enum TDialogKind { dkSave, dkStore };
    TDialogKind DialogKind = dkSave;
    // Where the picker starts; empty: the current directory.
    QString InitialDir;

    // "选择要保存的目录" or "选择要存放的目录".
    QString Caption() const;
    // True when a directory was chosen.
    bool Execute(QObject *owner = nullptr);
    QString Directory() const { return m_directory; }

private:
    QString m_directory;
};
