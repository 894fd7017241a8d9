#include "tselectemployeeform.h"

#include "appvalues.h"
#include "cjkfont.h"
#include "databaseengine.h"
#include "descendantcondition.h"
#include "gridscreenhook.h"
#include "messageservice.h"
#include "pickkeys.h"
#include "querycommand.h"
#include "sqldialect.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "treetable.h"
#include "uihelpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Root = QStringLiteral("G001");
// The department name is a look-up by COMPANY_ID, written as a column of the list itself.
const QString BaseSql = QStringLiteral(
    "SELECT COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME,EMPLOYEE_POST,"
    "(SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE SYS_COMPANY_TABLE.COMPANY_ID = QX_EMPLOYEE_TABLE.COMPANY_ID) AS COMPANY_NAME"
    "  FROM QX_EMPLOYEE_TABLE ");
const QString SortTail = QStringLiteral(" ORDER BY EMPLOYEE_ID");

void paintBackground(QWidget *widget)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(AppValues::Color));
    widget->setPalette(colours);
}

} // namespace

TSelectEmployeeForm::TSelectEmployeeForm(QWidget *parent)
    : QDialog(parent), m_query(std::make_unique<TQXQuery>()), m_hook(std::make_unique<GridScreenHook>(this))
{
    setWindowTitle(QStringLiteral("人员选择窗口"));
    setModal(true);
    setFixedSize(630, 400);
    setFont(CjkFont(QStringLiteral("宋体"), 9));

    m_tree = new TQXTreeView(this);
    m_tree->setObjectName(QStringLiteral("QXTreeView"));
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(true);
    m_grid = new TQXNDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_check = new QCheckBox(QStringLiteral("不显示下级部门人员记录"), this);
    m_ok = new QPushButton(QStringLiteral("确认[F3]"), this);
    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    m_ok->setDefault(true);
    m_close->setAutoDefault(false);

    auto *lists = new QHBoxLayout;
    lists->addWidget(m_tree, 2);
    lists->addWidget(m_grid, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_check);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    bottom->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);

    m_query->setObjectName(QStringLiteral("Query"));
    m_query->setDatabaseName(MainDatabaseName);
    m_query->FieldsData = TFieldsDataArray{
        TFieldsData{.FieldName = QStringLiteral("COMPANY_ID"), .Width = -2, .Visible = false},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_ID"), .Caption = QStringLiteral("员工编号")},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_NAME"), .Caption = QStringLiteral("员工姓名")},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_POST"), .Caption = QStringLiteral("员工职务")},
        TFieldsData{.FieldName = QStringLiteral("COMPANY_NAME"), .Caption = QStringLiteral("任职部门")},
    };
    m_query->setScreenHook(m_hook.get());
    m_grid->SetFieldsData(m_query->FieldsData);
    m_grid->setDataSet(m_query.get());
    m_hook->addGrid(m_grid);
    paintBackground(m_tree);
    paintBackground(m_grid);

    SelectedDeptId = Root;
    SelectedDeptName = App().CompanyName;
    m_tree->SetColor = true;
    m_tree->OnExpanding = [this](QTreeWidgetItem *node) { treeExpanding(node); };
    m_tree->OnChange = [this](QTreeWidgetItem *node) { treeChange(node); };
    m_tree->HookEvents();
    m_tree->RootId = Root;
    m_tree->RootCaption = App().CompanyName;
    m_tree->DataBaseName = MainDatabaseName;
    m_tree->SetRootOnlyNodeSql();

    connect(m_check, &QCheckBox::clicked, this, &TSelectEmployeeForm::CheckBox1Click);
    connect(m_ok, &QPushButton::clicked, this, &TSelectEmployeeForm::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TSelectEmployeeForm::Button_okClick);
}

TSelectEmployeeForm::~TSelectEmployeeForm()
{
    m_grid->setDataSet(nullptr);
    m_query->CloseQuery();
}

void TSelectEmployeeForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    m_grid->ForgetSetup();
    m_grid->SetupColumns();
    m_grid->setFocus();
    if (m_tree->NodeCount() > 1)
        return;
    m_tree->BuildRoot();
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
    LoadList();
}

void TSelectEmployeeForm::treeExpanding(QTreeWidgetItem *node)
{
    TreeTable::Dept().SetLevelStatements(*m_tree, TQXTreeView::Level(node), Root, -1);
}

void TSelectEmployeeForm::treeChange(QTreeWidgetItem *node)
{
    if (!node) {
        RunQueryCommand(this, [this] { m_query->CloseQuery(); });
        SelectedDeptId = Root;
        SelectedDeptName = App().CompanyName;
        return;
    }
    SelectedDeptId = m_tree->NodeId(node);
    SelectedDeptName = m_tree->NodeCaption(node);
    LoadList();
}

QString TSelectEmployeeForm::ListCondition() const
{
    const QString own = QStringLiteral(" COMPANY_ID = ") + sqlText(SelectedDeptId) + QLatin1Char(' ');
    if (m_check->isChecked())
        return own;
    const QTreeWidgetItem *node = m_tree->currentItem();
    if (!node || TQXTreeView::Level(node) == 0)
        return {};
    const QString descendants = DescendantCondition::Dept(SelectedDeptId);
    if (descendants.isEmpty())
        return own;
    return QStringLiteral(" (COMPANY_ID = ") + sqlText(SelectedDeptId) + QStringLiteral(" OR ") + descendants
        + QStringLiteral(") ");
}

void TSelectEmployeeForm::LoadList()
{
    if (m_query->isEditing())
        return;
    if (m_query->state() != TQXDataset::State::Inactive && SelectedDeptId == m_lastLoaded)
        return;
    m_lastLoaded = SelectedDeptId;
    RunQueryCommand(this, [this] {
        const QString condition = ListCondition();
        m_query->CloseQuery();
        m_query->setSql(condition.isEmpty() ? BaseSql + SortTail : BaseSql + QStringLiteral(" WHERE ") + condition + SortTail);
        paintBackground(m_grid);
        ++m_loads;
        m_query->OpenQuery();
    });
}

void TSelectEmployeeForm::CheckBox1Click()
{
    m_lastLoaded.clear();
    LoadList();
}

void TSelectEmployeeForm::Button_okClick()
{
    if (m_query->state() == TQXDataset::State::Inactive || m_query->isEmpty() || m_query->currentRow() < 0) {
        ShowWarning(QStringLiteral("必须选择一个人员记录"));
        return;
    }
    accept();
}

void TSelectEmployeeForm::keyPressEvent(QKeyEvent *event)
{
    if (!HandlePickKeys(*this, event, [this] { Button_okClick(); }))
        QDialog::keyPressEvent(event);
}
