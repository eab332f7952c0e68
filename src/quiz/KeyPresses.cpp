#include "KeyPresses.h"

#include <algorithm>

namespace quavix {

namespace {

bool OneKeyAtATime(Presser by) {
    return by.What != Presser::Kind::Midi;
}

} // namespace

void KeyPresses::AddObserver(KeyPressObserver* observer) {
    observers_.push_back(observer);
}

void KeyPresses::RemoveObserver(KeyPressObserver* observer) {
    std::erase(observers_, observer);
}

template <typename Call> void KeyPresses::Tell(Call call) {
    for (KeyPressObserver* observer : std::vector<KeyPressObserver*>(observers_))
        call(*observer);
}

std::vector<KeyPress>::iterator KeyPresses::Find(Presser by, std::optional<int> key) {
    return std::find_if(down_.begin(), down_.end(),
                        [&](const KeyPress& press) { return press.By == by && (!key || press.Key == *key); });
}

void KeyPresses::Press(const KeyPress& press) {
    if (OneKeyAtATime(press.By) && Find(press.By) != down_.end()) {
        Move(press);
        return;
    }
    const auto found = Find(press.By, press.Key);
    if (found != down_.end()) {
        // Struck again, it keeps its place on the instrument even when the new stroke takes nothing there.
        const std::optional<InstrumentSpot> spot = found->Spot;
        *found = press;
        if (!found->Spot)
            found->Spot = spot;
    } else
        down_.push_back(press);
    Tell([&](KeyPressObserver& observer) { observer.KeyDown(press); });
    if (press.Spot)
        TakeInstrument(press);
}

void KeyPresses::Move(const KeyPress& to) {
    const auto found = Find(to.By);
    if (found == down_.end()) {
        Press(to);
        return;
    }
    const KeyPress from = *found;
    *found = to;
    Tell([&](KeyPressObserver& observer) { observer.KeyMoved(from, to); });
    if (to.Spot)
        TakeInstrument(to);
    else if (holder_ == KeyId{from.By, from.Key})
        DropHolder();
}

void KeyPresses::Release(Presser by, int key) {
    const auto found = Find(by, key);
    if (found != down_.end())
        Up(found);
}

void KeyPresses::ReleaseFrom(Presser by) {
    for (auto found = Find(by); found != down_.end(); found = Find(by))
        Up(found);
}

void KeyPresses::ReleaseEvery(Presser::Kind kind) {
    const auto ofKind = [kind](const KeyPress& press) { return press.By.What == kind; };
    for (auto found = std::find_if(down_.begin(), down_.end(), ofKind); found != down_.end();
         found = std::find_if(down_.begin(), down_.end(), ofKind))
        Up(found);
}

void KeyPresses::LetGoOfInstrument() {
    if (holder_)
        DropHolder();
}

const KeyPress* KeyPresses::Holder() const {
    if (!holder_)
        return nullptr;
    const auto found = std::find_if(down_.begin(), down_.end(), [this](const KeyPress& press) {
        return press.By == holder_->By && press.Key == holder_->Key;
    });
    return found == down_.end() ? nullptr : &*found;
}

bool KeyPresses::IsDown(Presser by) const {
    return std::any_of(down_.begin(), down_.end(), [by](const KeyPress& press) { return press.By == by; });
}

void KeyPresses::TakeInstrument(const KeyPress& press) {
    // A held mouse button keeps the instrument from every other key.
    const bool mouseHolds = holder_ && holder_->By.What == Presser::Kind::Mouse;
    if (mouseHolds && press.By.What != Presser::Kind::Mouse)
        return;
    holder_ = KeyId{press.By, press.Key};
    const KeyPress* holder = Holder();
    Tell([&](KeyPressObserver& observer) { observer.HolderChanged(holder); });
}

void KeyPresses::DropHolder() {
    holder_.reset();
    Tell([](KeyPressObserver& observer) { observer.HolderChanged(nullptr); });
}

void KeyPresses::Up(std::vector<KeyPress>::iterator key) {
    const KeyPress press = *key;
    down_.erase(key);
    Tell([&](KeyPressObserver& observer) { observer.KeyUp(press); });
    if (holder_ == KeyId{press.By, press.Key})
        DropHolder();
}

} // namespace quavix
