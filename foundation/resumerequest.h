#pragma once

// Set by the main menu's "where did I stop?" while it opens the last lesson:
// the lesson window then opens on the remembered page.
bool& ResumeRequested();
