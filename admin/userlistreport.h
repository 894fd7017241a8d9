#pragma once

class QWidget;
class TQXQuery;

// Prints the user list ("用户列表") of `users` through the preview window, which offers the
// export of the list to a spreadsheet. Returns when the preview has been closed.
void PrintUserList(TQXQuery &users, QWidget *screen);
