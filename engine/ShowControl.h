#pragma once
// The show's live operations, each in one place. The console's keys and buttons,
// the phone remote, show-control messages and the lamp test call these and hold
// no show logic of their own, so every way of playing the show does the same thing.
// They are called on the window's thread; each takes the show lock for itself.

class IShowControl {
public:
    // START: the show from cue 1, when it is stopped; nothing while it runs.
    virtual void Start() = 0;
    // The next cue while the show runs, as Enter on the cue list; nothing while it is stopped.
    virtual void Go() = 0;
    // The previous cue while the show runs; nothing while it is stopped.
    virtual void Back() = 0;
    // Holds the show where it is, or lets it go on ("Click to Pause" / "Click to Continue").
    virtual void TogglePause() = 0;
    // Blacks the tree out, or lifts the blackout, while the show runs.
    virtual void ToggleBlackout() = 0;
    // The grand master, 0 to 100 percent; values outside are clamped.
    virtual void SetMaster(int percent) = 0;
    // Ends the show, as STOP.
    virtual void Stop() = 0;
    // Starts cue `cue` at once while the show runs, as a click on its line; a slot
    // that holds no cue changes nothing.
    virtual void StartCueAt(int cue) = 0;

protected:
    ~IShowControl() = default;
};
