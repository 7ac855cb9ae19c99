#pragma once
// The start of the console and its clean close, as the recovery copy sees them.

class CShowData;

// Loads the show the console opens with, once the layout is read. A recovery
// copy newer than the show files and different from them is offered first,
// before the cue list's Open dialog: Yes loads it as the console's show; No,
// like a damaged copy, moves it to a dated folder under Recovery/ and opens the
// show files. A copy that holds nothing the files do not is let go. From then on
// the copy follows the show.
void LoadShow(CShowData& doc);

// The cue list and the chase library were both written as the show leaves
// memory: the recovery copy stops following and is removed.
void ShowSavedWhole(CShowData& doc);
