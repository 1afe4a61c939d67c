#include "platform/Platform.h"

namespace {
const TvxPlatformStandIn* g_standIn = nullptr;
} // namespace

namespace PlatformStandIn {

const TvxPlatformStandIn* Current() {
    return g_standIn;
}

void Set(const TvxPlatformStandIn* standIn) {
    g_standIn = standIn;
}

} // namespace PlatformStandIn
