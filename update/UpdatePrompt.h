// The update prompt: the offer of a newer version, with "update now" and "later".
#pragma once

#include "update/TaskDialog.h"

namespace quirel::update {

// The prompt's button that starts the download.
inline constexpr int kUpdateNowButton = 100;

// The prompt's stored settings: texts, buttons, icon and behaviour.
void ConfigureUpdatePrompt(TAdvTaskDialog& prompt);

}  // namespace quirel::update
