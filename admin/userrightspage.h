#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListView;
class QListWidget;
class QPushButton;
class TQXChild;
class TQXQuery;

// The "用户权限" page of the user screen: a user (the current row of the users query), a
// program group and a program; four boxes show and write that user's rights in the program.
// Boxes are enabled only for the rights SYS_PROGRAM_TABLE offers for the program. Ticking
// "编辑", "打印" or "审核" ticks "浏览" as well; "浏览" cannot be unticked while one of the
// others is ticked. A write that fails puts the box back and warns.
class UserRightsPage final : public QWidget
{
    Q_OBJECT

public:
    // Right indexes of the four boxes, in the order edit, browse, print, verify.
    static constexpr std::array<int, 4> BoxRights{0, 3, 4, 5};

    UserRightsPage(TQXQuery *users, TQXChild *controller, QWidget *parent = nullptr);

    // Fills the group list (and the first group's programs); database failures pass on.
    void LoadGroups();

    QListView *UserList() const { return m_userList; }
    QComboBox *GroupList() const { return m_groupList; }
    QListWidget *ProgramList() const { return m_programList; }
    QGroupBox *RightsGroup() const { return m_rightsGroup; }
    // The box of a right index (0, 3, 4 or 5).
    QCheckBox *Box(int rightIndex) const;
    QPushButton *SelectAllButton() const { return m_selectAll; }
    QPushButton *InvertButton() const { return m_invert; }

private:
    void groupChosen();
    void selectionTest();
    void resetBoxes();
    void refreshBoxes();
    // A box changed to `checked` (by the user or by select-all/invert): writes its right.
    void boxChanged(int rightIndex, bool checked);
    // Sets a box without writing (loading).
    void setQuietly(QCheckBox *box, bool checked);
    // Ticks or unticks a box as a click would, writing when it changes.
    void changeBox(int rightIndex, bool checked);
    // Writes one right; on failure the box shows `shownBefore` again and a warning follows.
    bool writeRight(int rightIndex, bool held, bool shownBefore);
    void selectAll();
    void invert();

    int currentGroup() const;
    int currentProgram() const;
    QString currentUser() const;

    TQXQuery *m_users;
    TQXChild *m_controller;
    QListView *m_userList;
    QComboBox *m_groupList;
    QListWidget *m_programList;
    QGroupBox *m_rightsGroup;
    std::array<QCheckBox *, 4> m_boxes{};
    QPushButton *m_selectAll;
    QPushButton *m_invert;

    // The triple the boxes show.
    QString m_user;
    int m_group = 0;
    int m_program = 0;
    bool m_ready = false;
    bool m_loading = false;
    bool m_userClicked = false;
    bool m_programClicked = false;
};
