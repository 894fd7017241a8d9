#pragma once

#include <QDialog>

// The about box: a picture, the product title and the maker's contact details.
class TAboutBox final : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // The maker line also shown in the main window's status bar.
    static const QString MakerText;
};
