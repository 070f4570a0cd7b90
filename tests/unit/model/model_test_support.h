#pragma once

// Puts every process-wide value of the animation model back to what a freshly started
// renderer has, with the mesh built as the scene set-up builds it.
void ResetModelToStart();
