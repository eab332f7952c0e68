#pragma once

#include <functional>

class QObject;
class QWidget;

namespace quavix {

// Runs work right after the widget is first painted, once that paint has reached the screen: what the
// window can do without (MIDI, the kept history) costs the user nothing before it is on screen. The work
// is dropped when context goes first.
void RunAfterFirstPaint(QWidget* painted, QObject* context, std::function<void()> work);

} // namespace quavix
