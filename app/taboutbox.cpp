#include "taboutbox.h"

#include "producttitle.h"
#include "roadpicture.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A road running into the distance under a sky, as on the splash screen.
QPixmap roadPicture(const QSize &size)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    PaintRoadPicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), 0.6, 0.1, 0.8);
    return pixmap;
}

} // namespace

const QString TAboutBox::MakerText = QStringLiteral("RADARUREDA 软件  技术支持：support@radarureda.example");

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("关于"));
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setPixmap(roadPicture(QSize(96, 96)));
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);

    auto *title = new QLabel(ProductTitle, this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: #c01010;"));

    auto *version = new QLabel(QStringLiteral("版本 %1").arg(QCoreApplication::applicationVersion()), this);
    auto *maker = new QLabel(QStringLiteral("RADARUREDA 软件\n技术支持：support@radarureda.example\n"
                                            "电话：010-0000 0000"), this);

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(maker);
    text->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}
