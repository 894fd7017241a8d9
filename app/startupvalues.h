#pragma once

// The application values set while the main window is created, before sign-on.

// Date conventions, help file, database connection, data, temporary and base directories,
// clean-up of left-over table files. Raises when the main database cannot be opened.
void SetUpApplicationValues();
// The organisation's name, phone, fax and address from its row 'G001'.
void ReadCompanyValues();
