// The engine host's own enumerations.
#pragma once

namespace quirel {

enum TCefAplicationStatus {
  asLoading,
  asLoaded,
  asInitialized,
  asShuttingDown,
  asUnloaded,
  asErrorMissingFiles,
  asErrorDLLVersion,
  asErrorLoadingLibrary,
  asErrorInitializingLibrary,
  asErrorExecutingProcess
};

enum TCefProcessType { ptBrowser, ptRenderer, ptZygote, ptGPU, ptUtility, ptOther };

enum TCefAutoplayPolicy {
  appDefault,
  appDocumentUserActivationRequired,
  appNoUserGestureRequired,
  appUserGestureRequired
};

enum TCefPluginPolicySwitch {
  PLUGIN_POLICY_SWITCH_ALLOW,
  PLUGIN_POLICY_SWITCH_DETECT,
  PLUGIN_POLICY_SWITCH_BLOCK
};

}  // namespace quirel
