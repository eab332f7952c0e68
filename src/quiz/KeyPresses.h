#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quavix {

// Who holds a key down: the mouse on the instrument on screen, one MIDI source, or the note heard through
// the microphone.
// The mouse and the voice hold one key at a time; a MIDI source holds as many as its player's fingers.
struct Presser {
    enum class Kind : std::uint8_t { Mouse, Midi, Voice };
    Kind What = Kind::Mouse;
    std::uint32_t Source = 0; // which MIDI source (or input device)

    static Presser Mouse() { return {Kind::Mouse, 0}; }
    static Presser Midi(std::uint32_t source) { return {Kind::Midi, source}; }
    static Presser Voice() { return {Kind::Voice, 0}; }
    friend bool operator==(const Presser&, const Presser&) = default;
};

// Where a key shows on the instrument on screen: its written staff step and, on the guitar, its string and
// fret. String 0 means wherever the guitar plays that note first (its lowest position).
struct InstrumentSpot {
    std::int32_t Step = -1; // -1: it shows nowhere
    std::int32_t String = 0;
    std::int32_t Fret = 0;
    std::int32_t Alteration = 0; // +1: the black key or fret a semitone above the natural note at Step
    friend bool operator==(const InstrumentSpot&, const InstrumentSpot&) = default;
};

struct KeyPress {
    Presser By;
    std::int32_t Key = 0;      // the MIDI key number that sounds (60 is middle C)
    std::int32_t Velocity = 0; // the touch's strength, 1 to 127; 0 where the presser has none (the mouse)
    // Where it holds the instrument on screen; none for a key that leaves the instrument to whatever holds
    // it (one that answers nothing there, or a later note of a chord).
    std::optional<InstrumentSpot> Spot;
};

// Hears the presses: sound follows KeyDown and KeyUp, the instrument's marker follows HolderChanged.
class KeyPressObserver {
public:
    KeyPressObserver() = default;
    KeyPressObserver(const KeyPressObserver&) = delete;
    KeyPressObserver& operator=(const KeyPressObserver&) = delete;
    virtual ~KeyPressObserver() = default;

    virtual void KeyDown(const KeyPress& press) = 0;
    virtual void KeyUp(const KeyPress& press) = 0;
    // A one-key presser (the mouse in a drag) went over to another key without letting go.
    virtual void KeyMoved(const KeyPress& from, const KeyPress& to) = 0;
    // The key holding the instrument changed; null when nothing holds it.
    virtual void HolderChanged(const KeyPress* holder) = 0;
};

// The one record of which keys are down, whoever holds them. One key at a time holds the instrument on
// screen: the one pressed last with a spot, except that a mouse button held on the instrument keeps it
// until it is let go, as a hand on it would.
class KeyPresses final {
public:
    KeyPresses() = default;
    KeyPresses(const KeyPresses&) = delete;
    KeyPresses& operator=(const KeyPresses&) = delete;

    // Observers are told in the order they were added; they outlive their membership.
    void AddObserver(KeyPressObserver* observer);
    void RemoveObserver(KeyPressObserver* observer);

    // A key goes down. Struck again while down it sounds anew but stays one key. A mouse press replaces the
    // mouse's key, if it holds one.
    void Press(const KeyPress& press);
    // The mouse (or the voice) slides its key to another without letting go; a press when it holds none.
    void Move(const KeyPress& to);
    // A key goes up; nothing when it is not down.
    void Release(Presser by, int key);
    // Every key of one presser goes up: a MIDI source stopped, the mouse's press was lost.
    void ReleaseFrom(Presser by);
    // Every key of one kind of presser goes up: MIDI events were lost, so their releases may never come.
    void ReleaseEvery(Presser::Kind kind);
    // The instrument is let go (it changed, or the quiz ended): its marker goes and nothing holds it, while
    // the keys that are down stay down and go on sounding until they come up.
    void LetGoOfInstrument();

    // The key holding the instrument, or null.
    const KeyPress* Holder() const;
    const std::vector<KeyPress>& Down() const { return down_; }
    bool IsDown(Presser by) const;

private:
    struct KeyId {
        Presser By;
        std::int32_t Key;
        friend bool operator==(const KeyId&, const KeyId&) = default;
    };

    std::vector<KeyPress>::iterator Find(Presser by, std::optional<int> key = std::nullopt);
    void TakeInstrument(const KeyPress& press);
    void DropHolder();
    void Up(std::vector<KeyPress>::iterator key);
    template <typename Call> void Tell(Call call);

    std::vector<KeyPress> down_;
    std::optional<KeyId> holder_;
    std::vector<KeyPressObserver*> observers_;
};

} // namespace quavix
