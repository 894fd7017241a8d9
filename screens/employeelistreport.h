#pragma once

#include "texcelfieldname.h"

#include <QString>

class QWidget;
class TQXQuery;

// The department path of a department: its ancestors' names and its own, joined by "--"
// ("本公司--运输部--一车队"). The organisation row (whose parent "G002" has no row) starts
// the path; an identifier without a row has no path (empty). A parent link that loops back
// ends the path there.
QString DepartmentPath(const QString &id);

// The 23 columns the employee list is exported with, in order.
const TExcelFieldArray &EmployeeExportFields();

// Prints the employee list "单位员工资料列表" (report RepOperation) of `employees` as loaded,
// captioned with `caption` (the selected department's path), through the preview window,
// which offers the margin settings and the export of the list. Returns when the preview
// has been closed.
void PrintEmployeeList(TQXQuery &employees, const QString &caption, QWidget *screen);
