#include "screenregistry.h"

void ScreenRegistry::add(const QString &name, ScreenFactory factory)
{
    m_factories.insert(name, std::move(factory));
}

bool ScreenRegistry::contains(const QString &name) const
{
    return m_factories.contains(name);
}

QWidget *ScreenRegistry::create(const QString &name, const ScreenRequest &request) const
{
    const auto factory = m_factories.constFind(name);
    return factory != m_factories.constEnd() && *factory ? (*factory)(request) : nullptr;
}
