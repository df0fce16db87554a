#include "DesktopServices.h"

#include "platform/wayland/WaylandClipboard.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11PasteTarget.h"
#include "platform/x11/X11Sound.h"

namespace {
std::unique_ptr<IClipboard> WaylandBoard() {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return nullptr;
    auto board = std::make_unique<TWaylandClipboard>();
    return board->IsConnected() ? std::move(board) : nullptr;
}
} // namespace

TDesktopServices::TDesktopServices()
    : Board(WaylandBoard()), Beeper(std::make_unique<TX11Sound>()),
      Keys(std::make_unique<TX11HotKeys>()), Target(std::make_unique<TX11PasteTarget>()) {
    OnWayland = Board != nullptr;
    if (!Board)
        Board = std::make_unique<TX11Clipboard>();
}

TDesktopServices::~TDesktopServices() = default;
