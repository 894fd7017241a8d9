#pragma once

#include <QValidator>

// Keeps an input within a column width counted in GBK bytes (a Chinese character takes
// two), optionally turning letters into capitals as they are typed.
class GbkLengthValidator final : public QValidator
{
    Q_OBJECT

public:
    GbkLengthValidator(int maxWidth, bool upperCase, QObject *parent);

    State validate(QString &input, int &pos) const override;

private:
    int m_maxWidth;
    bool m_upperCase;
};
