#include "assets/assets.h"

#include <QFile>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerAssetResources() {
    Q_INIT_RESOURCE(assets);
}

namespace sumbrook::assets {

bool ensureResources() {
    registerAssetResources();
    for (const char* path : {kAboutPicture, kIcon, kHandCursor}) {
        if (!QFile::exists(QString::fromLatin1(path))) {
            return false;
        }
    }
    return true;
}

} // namespace sumbrook::assets
