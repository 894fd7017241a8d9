#pragma once

#include <QString>

// Program parameters: name/value rows of SYS_ID_TABLE in the main database (NAME_ID the
// name, AUTO_ID the value). The switches hold "是" or "否"; a missing row reads as off.

// The value of a parameter; empty when there is no row. Raises when the table cannot be read.
QString ReadParameter(const QString &name);
// True exactly when the parameter's value is "是".
bool ReadSwitch(const QString &name);
// Stores a value, updating the row when there is one and adding it otherwise. On failure
// warns "参数保存过程发生错误" and returns false.
bool WriteParameter(const QString &name, const QString &value);
