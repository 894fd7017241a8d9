#pragma once

class DatabaseEngine;

// The data module: the one main database RuveloDataBase on the alias RuveloLink. Creating
// it checks the alias; when the alias is missing it tells the user how to repair the
// installation and sets aliasMissing(), otherwise it registers the database, which connects
// on first use. The database stays registered until the data module goes.
class TDM final
{
public:
    TDM();
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    bool aliasMissing() const { return m_aliasMissing; }
    // The main database; only when the alias exists.
    DatabaseEngine &MainDatabase() const;

private:
    bool m_aliasMissing = false;
};
