#include "tselectform.h"

#include "pickkeys.h"
#include "tqxdataset.h"
#include "tqxquerymodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <numeric>

namespace {

constexpr int TargetWidth = 102;

int roundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

TSelectForm::TSelectForm(TQXDataset *query, QWidget *parent) : QDialog(parent), m_query(query)
{
    setObjectName(QStringLiteral("SelectForm"));
    setWindowTitle(QStringLiteral("数据选择窗口"));
    setModal(true);
    resize(780, 460);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setCursor(Qt::PointingHandCursor);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    if (query) {
        m_model = new TQXQueryModel(query, this);
        m_grid->setModel(m_model);
        connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex &current) {
                    if (m_query && current.isValid() && current.row() != m_query->currentRow())
                        m_query->moveTo(current.row());
                });
    }
    connect(m_grid, &QTableView::doubleClicked, this, &TSelectForm::gridDoubleClicked);

    m_ok = new QPushButton(QStringLiteral("确认[F3]"), this);
    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    for (QPushButton *button : {m_ok, m_close}) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
}

TSelectForm::~TSelectForm()
{
    if (m_query)
        m_query->close();
}

QList<int> TSelectForm::FitDisplayWidths(const QList<int> &widths)
{
    const int count = int(widths.size());
    if (count == 0)
        return widths;
    const int sum = std::accumulate(widths.begin(), widths.end(), 0);
    QList<int> fitted = widths;
    if (sum > TargetWidth - 1) {
        // Never below 0: just above the target the share would round negative and widen.
        const int a = std::max(0, roundEven(double(sum - TargetWidth) / count - 1));
        for (int &w : fitted) {
            if (w > 10 * a)
                w -= 4 * a;
            else if (w > 8 * a)
                w -= 3 * a;
            else if (w > 6 * a)
                w -= 2 * a;
            else if (w > 3 * a)
                w -= a;
        }
    } else {
        // Likewise a set just below the target is not narrowed.
        const int gain = std::max(0, roundEven(double(TargetWidth - sum) / count - 1));
        for (int &w : fitted)
            w += gain;
    }
    return fitted;
}

void TSelectForm::fitColumns()
{
    if (!m_query)
        return;
    QList<int> shown;
    QList<int> widths;
    for (int column = 0; column < m_query->fieldCount(); ++column) {
        const TQXField &field = m_query->field(column);
        m_grid->setColumnHidden(column, !field.isVisible());
        if (field.isVisible()) {
            shown << column;
            widths << field.displayWidth();
        }
    }
    const QList<int> fitted = FitDisplayWidths(widths);
    const int characterWidth = m_grid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < shown.size(); ++i) {
        m_query->field(shown[i]).setDisplayWidth(fitted[i]);
        m_grid->setColumnWidth(shown[i], std::max(fitted[i], 1) * characterWidth + 6);
    }
}

void TSelectForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fitColumns();
    if (m_model && m_model->rowCount() > 0 && !m_grid->currentIndex().isValid()) {
        const int row = m_query ? std::max(m_query->currentRow(), 0) : 0;
        m_grid->setCurrentIndex(m_model->index(std::min(row, m_model->rowCount() - 1), 0));
    }
    m_grid->setFocus();
}

void TSelectForm::keyPressEvent(QKeyEvent *event)
{
    if (!HandlePickKeys(*this, event, [this] { accept(); }))
        QDialog::keyPressEvent(event);
}

void TSelectForm::gridDoubleClicked()
{
    if (m_query && m_query->isActive() && !m_query->isEmpty())
        accept();
}
