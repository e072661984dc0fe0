#include "gui/help_resources.h"

#include <QtCore/qglobal.h>

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initHelpPagesResource() {
    Q_INIT_RESOURCE(help_pages);
}

namespace vx {

void initHelpResources() {
    static std::once_flag once;
    std::call_once(once, initHelpPagesResource);
}

} // namespace vx
