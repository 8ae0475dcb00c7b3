#pragma once
// The Qt side of the platform layer on systems other than Windows. The factories
// themselves are declared in shell/platform.h; this exposes what tests examine.

#include <QUrl>

#include <string>

namespace sumbrook::shell {

// How LinkOpener reads a target: "scheme:..." (a scheme of two or more letters, so that
// "C:" is not one) and "www." addresses as web addresses, anything else as a local file
// (relative to the current folder). An empty target gives an invalid URL.
QUrl urlForLinkTarget(const std::string& target);

} // namespace sumbrook::shell
