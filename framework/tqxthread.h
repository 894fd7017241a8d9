#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class TThreadForm;

// The work a progress window shows: copying files, deleting files, searching.
enum TOptionKind { crCopy, crDelete, crFind };

// The progress window of long operations. ShowProgress puts up TThreadForm with Caption,
// the chosen bars and the symbol for Kind, application-modal, and sets the busy cursor;
// HideProgress takes both away again. The window paints before ShowProgress returns; a
// caller that wants it to stay responsive lets events run between its steps.
class TQXThread final : public QObject
{
    Q_OBJECT

public:
    explicit TQXThread(QObject *parent = nullptr);
    ~TQXThread() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    TOptionKind kind() const { return m_kind; }
    void setKind(TOptionKind kind) { m_kind = kind; }

    // Whether progress bars 1 to 3 are shown.
    bool progressBar1() const { return m_bars[0]; }
    bool progressBar2() const { return m_bars[1]; }
    bool progressBar3() const { return m_bars[2]; }
    void setProgressBar1(bool visible) { setBar(0, visible); }
    void setProgressBar2(bool visible) { setBar(1, visible); }
    void setProgressBar3(bool visible) { setBar(2, visible); }

    // Offers "停止" for work that checks stopRequested() between its steps.
    void setStopButtonVisible(bool visible) { m_stopVisible = visible; }
    // "停止" was pressed since the window was last shown.
    bool stopRequested() const { return m_stopRequested; }

    bool active() const { return m_active; }
    // The window while active (to set the bars' values), else nullptr.
    TThreadForm *window() const;

    void ShowProgress();
    void HideProgress();

private:
    void setBar(int index, bool visible);

    QString m_caption;
    TOptionKind m_kind = crCopy;
    bool m_bars[3] = {};
    bool m_stopVisible = false;
    bool m_stopRequested = false;
    bool m_active = false;
    QPointer<TThreadForm> m_form;
};
