#include "userrightspage.h"

#include "databaseengine.h"
#include "dataset.h"
#include "dbhelpers.h"
#include "messageservice.h"
#include "tqxchild.h"
#include "tqxfield.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Held = QStringLiteral("是");
const QString NotHeld = QStringLiteral("否");

// Item data of a program entry: its number, then the offered rights in box order.
constexpr int ProgramIdRole = Qt::UserRole;
constexpr int OfferedRole = Qt::UserRole + 1;

// The SYS_PROGRAM_TABLE column saying whether a box's right is offered, in box order.
const std::array<QString, 4> OfferColumns{QStringLiteral("ADD_RIGHT"), QStringLiteral("BROWSE_RIGHT"),
                                          QStringLiteral("PRINT_RIGHT"), QStringLiteral("VERIFY_RIGHT")};

constexpr int Edit = 0;
constexpr int Browse = 3;
constexpr int Print = 4;
constexpr int Verify = 5;

int boxPosition(int rightIndex)
{
    for (size_t i = 0; i < UserRightsPage::BoxRights.size(); ++i)
        if (UserRightsPage::BoxRights[i] == rightIndex)
            return int(i);
    return -1;
}

} // namespace

UserRightsPage::UserRightsPage(TQXQuery *users, TQXChild *controller, QWidget *parent)
    : QWidget(parent), m_users(users), m_controller(controller), m_userList(new QListView(this)),
      m_groupList(new QComboBox(this)), m_programList(new QListWidget(this)),
      m_rightsGroup(new QGroupBox(QStringLiteral("权限"), this)),
      m_selectAll(new QPushButton(QStringLiteral("全选"), this)), m_invert(new QPushButton(QStringLiteral("反选"), this))
{
    m_userList->setObjectName(QStringLiteral("UserList"));
    m_groupList->setObjectName(QStringLiteral("GroupList"));
    m_programList->setObjectName(QStringLiteral("ProgramList"));
    m_rightsGroup->setObjectName(QStringLiteral("RightsGroup"));

    auto *model = new TQXQueryModel(users, m_userList);
    m_userList->setModel(model);
    m_userList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    model->followCurrentRow(m_userList->selectionModel());
    const auto showNames = [this, model] { m_userList->setModelColumn(qMax(0, model->columnOf(QStringLiteral("USE_NAME")))); };
    connect(model, &QAbstractItemModel::modelReset, this, showNames);

    const std::array<QString, 4> captions{QStringLiteral(" 编辑"), QStringLiteral(" 浏览"), QStringLiteral(" 打印"),
                                          QStringLiteral(" 审核")};
    auto *boxes = new QVBoxLayout(m_rightsGroup);
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        auto *box = new QCheckBox(captions[i], m_rightsGroup);
        box->setObjectName(QStringLiteral("RightBox%1").arg(BoxRights[i]));
        boxes->addWidget(box);
        m_boxes[i] = box;
        const int rightIndex = BoxRights[i];
        connect(box, &QCheckBox::clicked, this, [this, rightIndex](bool checked) { boxChanged(rightIndex, checked); });
    }
    m_rightsGroup->setEnabled(false);

    auto *userColumn = new QVBoxLayout;
    userColumn->addWidget(new QLabel(QStringLiteral("用户"), this));
    userColumn->addWidget(m_userList);
    auto *programs = new QVBoxLayout;
    programs->addWidget(new QLabel(QStringLiteral("程序组"), this));
    programs->addWidget(m_groupList);
    programs->addWidget(new QLabel(QStringLiteral("程序列表"), this));
    programs->addWidget(m_programList);
    auto *rights = new QVBoxLayout;
    rights->addWidget(m_rightsGroup);
    rights->addWidget(m_selectAll);
    rights->addWidget(m_invert);
    rights->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(userColumn, 2);
    layout->addLayout(programs, 3);
    layout->addLayout(rights, 1);

    connect(m_groupList, &QComboBox::currentIndexChanged, this, [this] { groupChosen(); });
    connect(m_userList, &QAbstractItemView::clicked, this, [this] {
        m_userClicked = true;
        selectionTest();
    });
    connect(m_programList, &QListWidget::itemClicked, this, [this] {
        m_programClicked = true;
        selectionTest();
    });
    connect(m_selectAll, &QPushButton::clicked, this, [this] { selectAll(); });
    connect(m_invert, &QPushButton::clicked, this, [this] { invert(); });
}

QCheckBox *UserRightsPage::Box(int rightIndex) const
{
    const int position = boxPosition(rightIndex);
    return position < 0 ? nullptr : m_boxes[size_t(position)];
}

void UserRightsPage::LoadGroups()
{
    const QSignalBlocker blocker(m_groupList);
    m_groupList->clear();
    const std::unique_ptr<Dataset> groups =
        OpenSQL(m_users->databaseName(), QStringLiteral("SELECT  *  FROM  SYS_COMPOSE_TABLE "));
    for (; !groups->eof(); groups->next())
        m_groupList->addItem(groups->text(QStringLiteral("COMPOSE_NAME")), groups->value(QStringLiteral("COMPOSE_ID")).toInt());
    m_groupList->setCurrentIndex(m_groupList->count() > 0 ? 0 : -1);
    groupChosen();
}

int UserRightsPage::currentGroup() const
{
    return m_groupList->currentIndex() < 0 ? 0 : m_groupList->currentData().toInt();
}

int UserRightsPage::currentProgram() const
{
    const QListWidgetItem *item = m_programList->currentItem();
    return item ? item->data(ProgramIdRole).toInt() : 0;
}

QString UserRightsPage::currentUser() const
{
    if (!m_users->isActive() || m_users->isEmpty())
        return {};
    return m_users->fieldByName(QStringLiteral("USE_ID")).asText();
}

void UserRightsPage::groupChosen()
{
    m_programList->clear();
    if (const int group = currentGroup(); group != 0) {
        QSqlQuery programs = DatabaseEngine::byName(m_users->databaseName())
                                 .run(QStringLiteral("SELECT  *  FROM  SYS_PROGRAM_TABLE   WHERE COMPOSE_ID = ?"), {group});
        while (programs.next()) {
            auto *item = new QListWidgetItem(programs.value(QStringLiteral("PROGRAM_NAME")).toString(), m_programList);
            item->setData(ProgramIdRole, programs.value(QStringLiteral("PROGRAM_ID")).toInt());
            QVariantList offered;
            for (const QString &column : OfferColumns)
                offered << (programs.value(column).toString() == Held);
            item->setData(OfferedRole, offered);
        }
    }
    if (!m_user.isEmpty() || m_group != 0 || m_program != 0)
        refreshBoxes();
    else
        resetBoxes();
    selectionTest();
}

void UserRightsPage::selectionTest()
{
    if (!m_userClicked || !m_programClicked)
        return;
    if (!m_userList->currentIndex().isValid() || !m_programList->currentItem()) {
        resetBoxes();
        return;
    }
    const QString user = currentUser();
    const int group = currentGroup();
    const int program = currentProgram();
    if (user == m_user && group == m_group && program == m_program)
        return;
    m_user = user;
    m_group = group;
    m_program = program;
    refreshBoxes();
}

void UserRightsPage::resetBoxes()
{
    m_loading = true;
    m_ready = false;
    m_rightsGroup->setEnabled(false);
    for (QCheckBox *box : m_boxes) {
        box->setEnabled(true);
        box->setChecked(false);
    }
    m_loading = false;
}

void UserRightsPage::refreshBoxes()
{
    m_loading = true;
    m_ready = false;
    m_rightsGroup->setEnabled(true);
    const QListWidgetItem *item = m_programList->currentItem();
    const QVariantList offered = item ? item->data(OfferedRole).toList() : QVariantList{};
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i]->setChecked(false);
        m_boxes[i]->setEnabled(int(i) < offered.size() && offered[int(i)].toBool());
    }
    if (m_user.isEmpty() || m_group == 0 || m_program == 0) {
        m_loading = false;
        ShowWarning(m_user.isEmpty() ? QStringLiteral("用户编号为空")
                    : m_group == 0   ? QStringLiteral("程序组编号为空")
                                     : QStringLiteral("程序编号为空"));
        return;
    }
    m_user = currentUser();
    for (size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i]->isEnabled())
            m_boxes[i]->setChecked(m_controller->ReadRight(m_user, m_group, BoxRights[i], m_program) == Held);
    m_ready = true;
    m_loading = false;
}

void UserRightsPage::setQuietly(QCheckBox *box, bool checked)
{
    const bool loading = m_loading;
    m_loading = true;
    box->setChecked(checked);
    m_loading = loading;
}

bool UserRightsPage::writeRight(int rightIndex, bool held, bool shownBefore)
{
    bool written = false;
    try {
        written = m_controller->WriteRight(m_user, m_group, held ? Held : NotHeld, rightIndex, m_program);
    } catch (const std::exception &) {
        written = false;
    }
    if (written)
        return true;
    // The stored right did not change: the box shows what it showed before.
    setQuietly(Box(rightIndex), shownBefore);
    ShowWarning(QStringLiteral("权限保存过程发生错误"));
    return false;
}

void UserRightsPage::boxChanged(int rightIndex, bool checked)
{
    if (!m_ready || m_loading)
        return;
    QCheckBox *browse = Box(Browse);
    if (rightIndex != Browse) {
        if (!writeRight(rightIndex, checked, !checked))
            return;
        if (checked && !browse->isChecked())
            changeBox(Browse, true);
        return;
    }
    const bool shownBefore = !checked;
    const bool othersTicked = Box(Edit)->isChecked() || Box(Print)->isChecked() || Box(Verify)->isChecked();
    if (othersTicked && !checked) {
        setQuietly(browse, true);
        checked = true;
    }
    writeRight(Browse, checked, shownBefore);
}

void UserRightsPage::changeBox(int rightIndex, bool checked)
{
    QCheckBox *box = Box(rightIndex);
    if (box->isChecked() == checked)
        return;
    setQuietly(box, checked);
    boxChanged(rightIndex, checked);
}

void UserRightsPage::selectAll()
{
    for (const int rightIndex : {Edit, Print, Verify, Browse})
        changeBox(rightIndex, Box(rightIndex)->isEnabled());
}

void UserRightsPage::invert()
{
    for (const int rightIndex : {Edit, Print, Verify, Browse})
        if (Box(rightIndex)->isEnabled())
            changeBox(rightIndex, !Box(rightIndex)->isChecked());
}
