#pragma once

#include <QDate>

// The start-up reminder question: asks which reminders to show ("到期事务", "今日事务",
// "本周事务", "本月事务") and gives the range code of the reminder screen (0, 1, 4, 7),
// or -1 when cancelled or when no active reminder falls in the range ("没有符合条件的事务提醒记录").
int ChooseReminderRange(const QDate &today = QDate::currentDate());

// The range code for a choice (1-based, in the order asked) after counting the active
// reminders of that range; -1 with the message when there are none.
int ReminderRangeCode(int choice, const QDate &today);
// The number of active reminders in the range of a choice (1-based); weeks run Monday to
// Sunday. 0 for an unknown choice.
int ReminderCount(int choice, const QDate &today);
