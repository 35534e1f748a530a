// Enumerations of the engine's C ABI (Chromium Embedded Framework 87.1.x).
// Every value is spelled out as the engine's compilers evaluate it, aliases
// included, so nothing depends on the order of the enumerators.
#pragma once

typedef enum {
  LOGSEVERITY_DEFAULT = 0,
  LOGSEVERITY_VERBOSE = 1,
  LOGSEVERITY_DEBUG = 1,
  LOGSEVERITY_INFO = 2,
  LOGSEVERITY_WARNING = 3,
  LOGSEVERITY_ERROR = 4,
  LOGSEVERITY_FATAL = 5,
  LOGSEVERITY_DISABLE = 99,
} cef_log_severity_t;

typedef enum {
  STATE_DEFAULT = 0,
  STATE_ENABLED = 1,
  STATE_DISABLED = 2,
} cef_state_t;

typedef enum {
  RV_CANCEL = 0,
  RV_CONTINUE = 1,
  RV_CONTINUE_ASYNC = 2,
} cef_return_value_t;

typedef enum {
  CEF_COOKIE_PRIORITY_LOW = -1,
  CEF_COOKIE_PRIORITY_MEDIUM = 0,
  CEF_COOKIE_PRIORITY_HIGH = 1,
} cef_cookie_priority_t;

typedef enum {
  CEF_COOKIE_SAME_SITE_UNSPECIFIED = 0,
  CEF_COOKIE_SAME_SITE_NO_RESTRICTION = 1,
  CEF_COOKIE_SAME_SITE_LAX_MODE = 2,
  CEF_COOKIE_SAME_SITE_STRICT_MODE = 3,
} cef_cookie_same_site_t;

typedef enum {
  TS_ABNORMAL_TERMINATION = 0,
  TS_PROCESS_WAS_KILLED = 1,
  TS_PROCESS_CRASHED = 2,
  TS_PROCESS_OOM = 3,
} cef_termination_status_t;

typedef enum {
  PK_DIR_CURRENT = 0,
  PK_DIR_EXE = 1,
  PK_DIR_MODULE = 2,
  PK_DIR_TEMP = 3,
  PK_FILE_EXE = 4,
  PK_FILE_MODULE = 5,
  PK_LOCAL_APP_DATA = 6,
  PK_USER_DATA = 7,
  PK_DIR_RESOURCES = 8,
} cef_path_key_t;

typedef enum {
  ST_LOCALSTORAGE = 0,
  ST_SESSIONSTORAGE = 1,
} cef_storage_type_t;

// Only ERR_NONE is named here; every other value is one of the engine's negative
// network error codes and is handled as a plain number.
typedef enum {
  ERR_NONE = 0,
} cef_errorcode_t;

typedef enum {
  CERT_STATUS_NONE = 0,
  CERT_STATUS_COMMON_NAME_INVALID = 0x1,
  CERT_STATUS_DATE_INVALID = 0x2,
  CERT_STATUS_AUTHORITY_INVALID = 0x4,
  CERT_STATUS_NO_REVOCATION_MECHANISM = 0x10,
  CERT_STATUS_UNABLE_TO_CHECK_REVOCATION = 0x20,
  CERT_STATUS_REVOKED = 0x40,
  CERT_STATUS_INVALID = 0x80,
  CERT_STATUS_WEAK_SIGNATURE_ALGORITHM = 0x100,
  CERT_STATUS_NON_UNIQUE_NAME = 0x400,
  CERT_STATUS_WEAK_KEY = 0x800,
  CERT_STATUS_PINNED_KEY_MISSING = 0x2000,
  CERT_STATUS_NAME_CONSTRAINT_VIOLATION = 0x4000,
  CERT_STATUS_VALIDITY_TOO_LONG = 0x8000,
  CERT_STATUS_IS_EV = 0x10000,
  CERT_STATUS_REV_CHECKING_ENABLED = 0x20000,
  CERT_STATUS_SHA1_SIGNATURE_PRESENT = 0x80000,
  CERT_STATUS_CT_COMPLIANCE_FAILED = 0x100000,
} cef_cert_status_t;

typedef enum {
  WOD_UNKNOWN = 0,
  WOD_CURRENT_TAB = 1,
  WOD_SINGLETON_TAB = 2,
  WOD_NEW_FOREGROUND_TAB = 3,
  WOD_NEW_BACKGROUND_TAB = 4,
  WOD_NEW_POPUP = 5,
  WOD_NEW_WINDOW = 6,
  WOD_SAVE_TO_DISK = 7,
  WOD_OFF_THE_RECORD = 8,
  WOD_IGNORE_ACTION = 9,
} cef_window_open_disposition_t;

typedef enum {
  DRAG_OPERATION_NONE = 0,
  DRAG_OPERATION_COPY = 0x1,
  DRAG_OPERATION_LINK = 0x2,
  DRAG_OPERATION_GENERIC = 0x4,
  DRAG_OPERATION_PRIVATE = 0x8,
  DRAG_OPERATION_MOVE = 0x10,
  DRAG_OPERATION_DELETE = 0x20,
  DRAG_OPERATION_EVERY = 0xFFFFFFFF,
} cef_drag_operations_mask_t;

typedef enum {
  CEF_TEXT_INPUT_MODE_DEFAULT = 0,
  CEF_TEXT_INPUT_MODE_NONE = 1,
  CEF_TEXT_INPUT_MODE_TEXT = 2,
  CEF_TEXT_INPUT_MODE_TEL = 3,
  CEF_TEXT_INPUT_MODE_URL = 4,
  CEF_TEXT_INPUT_MODE_EMAIL = 5,
  CEF_TEXT_INPUT_MODE_NUMERIC = 6,
  CEF_TEXT_INPUT_MODE_DECIMAL = 7,
  CEF_TEXT_INPUT_MODE_SEARCH = 8,
  CEF_TEXT_INPUT_MODE_MAX = 8,
} cef_text_input_mode_t;

typedef enum {
  V8_ACCESS_CONTROL_DEFAULT = 0,
  V8_ACCESS_CONTROL_ALL_CAN_READ = 1,
  V8_ACCESS_CONTROL_ALL_CAN_WRITE = 2,
  V8_ACCESS_CONTROL_PROHIBITS_OVERWRITING = 4,
} cef_v8_accesscontrol_t;

typedef enum {
  V8_PROPERTY_ATTRIBUTE_NONE = 0,
  V8_PROPERTY_ATTRIBUTE_READONLY = 1,
  V8_PROPERTY_ATTRIBUTE_DONTENUM = 2,
  V8_PROPERTY_ATTRIBUTE_DONTDELETE = 4,
} cef_v8_propertyattribute_t;

typedef enum {
  PDE_TYPE_EMPTY = 0,
  PDE_TYPE_BYTES = 1,
  PDE_TYPE_FILE = 2,
} cef_postdataelement_type_t;

typedef enum {
  RT_MAIN_FRAME = 0,
  RT_SUB_FRAME = 1,
  RT_STYLESHEET = 2,
  RT_SCRIPT = 3,
  RT_IMAGE = 4,
  RT_FONT_RESOURCE = 5,
  RT_SUB_RESOURCE = 6,
  RT_OBJECT = 7,
  RT_MEDIA = 8,
  RT_WORKER = 9,
  RT_SHARED_WORKER = 10,
  RT_PREFETCH = 11,
  RT_FAVICON = 12,
  RT_XHR = 13,
  RT_PING = 14,
  RT_SERVICE_WORKER = 15,
  RT_CSP_REPORT = 16,
  RT_PLUGIN_RESOURCE = 17,
} cef_resource_type_t;

typedef enum {
  TT_LINK = 0,
  TT_EXPLICIT = 0x1,
  TT_AUTO_SUBFRAME = 0x3,
  TT_MANUAL_SUBFRAME = 0x4,
  TT_FORM_SUBMIT = 0x7,
  TT_RELOAD = 0x8,
  TT_SOURCE_MASK = 0xFF,
  TT_BLOCKED_FLAG = 0x800000,
  TT_FORWARD_BACK_FLAG = 0x1000000,
  TT_DIRECT_LOAD_FLAG = 0x2000000,
  TT_CHAIN_START_FLAG = 0x10000000,
  TT_CHAIN_END_FLAG = 0x20000000,
  TT_CLIENT_REDIRECT_FLAG = 0x40000000,
  TT_SERVER_REDIRECT_FLAG = 0x80000000,
  TT_IS_REDIRECT_MASK = 0xC0000000,
  TT_QUALIFIER_MASK = 0xFFFFFF00,
} cef_transition_type_t;

typedef enum {
  UR_FLAG_NONE = 0,
  UR_FLAG_SKIP_CACHE = 0x1,
  UR_FLAG_ONLY_FROM_CACHE = 0x2,
  UR_FLAG_DISABLE_CACHE = 0x4,
  UR_FLAG_ALLOW_STORED_CREDENTIALS = 0x8,
  UR_FLAG_REPORT_UPLOAD_PROGRESS = 0x10,
  UR_FLAG_NO_DOWNLOAD_DATA = 0x20,
  UR_FLAG_NO_RETRY_ON_5XX = 0x40,
  UR_FLAG_STOP_ON_REDIRECT = 0x80,
} cef_urlrequest_flags_t;

typedef enum {
  UR_UNKNOWN = 0,
  UR_SUCCESS = 1,
  UR_IO_PENDING = 2,
  UR_CANCELED = 3,
  UR_FAILED = 4,
} cef_urlrequest_status_t;

typedef enum {
  PID_BROWSER = 0,
  PID_RENDERER = 1,
} cef_process_id_t;

typedef enum {
  TID_UI = 0,
  TID_FILE_BACKGROUND = 1,
  TID_FILE = 1,
  TID_FILE_USER_VISIBLE = 2,
  TID_FILE_USER_BLOCKING = 3,
  TID_PROCESS_LAUNCHER = 4,
  TID_IO = 5,
  TID_RENDERER = 6,
} cef_thread_id_t;

typedef enum {
  TP_BACKGROUND = 0,
  TP_NORMAL = 1,
  TP_DISPLAY = 2,
  TP_REALTIME_AUDIO = 3,
} cef_thread_priority_t;

typedef enum {
  ML_TYPE_DEFAULT = 0,
  ML_TYPE_UI = 1,
  ML_TYPE_IO = 2,
} cef_message_loop_type_t;

typedef enum {
  COM_INIT_MODE_NONE = 0,
  COM_INIT_MODE_STA = 1,
  COM_INIT_MODE_MTA = 2,
} cef_com_init_mode_t;

typedef enum {
  VTYPE_INVALID = 0,
  VTYPE_NULL = 1,
  VTYPE_BOOL = 2,
  VTYPE_INT = 3,
  VTYPE_DOUBLE = 4,
  VTYPE_STRING = 5,
  VTYPE_BINARY = 6,
  VTYPE_DICTIONARY = 7,
  VTYPE_LIST = 8,
} cef_value_type_t;

typedef enum {
  JSDIALOGTYPE_ALERT = 0,
  JSDIALOGTYPE_CONFIRM = 1,
  JSDIALOGTYPE_PROMPT = 2,
} cef_jsdialog_type_t;

typedef enum {
  MENU_ID_BACK = 0x64,
  MENU_ID_FORWARD = 0x65,
  MENU_ID_RELOAD = 0x66,
  MENU_ID_RELOAD_NOCACHE = 0x67,
  MENU_ID_STOPLOAD = 0x68,
  MENU_ID_UNDO = 0x6E,
  MENU_ID_REDO = 0x6F,
  MENU_ID_CUT = 0x70,
  MENU_ID_COPY = 0x71,
  MENU_ID_PASTE = 0x72,
  MENU_ID_DELETE = 0x73,
  MENU_ID_SELECT_ALL = 0x74,
  MENU_ID_FIND = 0x82,
  MENU_ID_PRINT = 0x83,
  MENU_ID_VIEW_SOURCE = 0x84,
  MENU_ID_SPELLCHECK_SUGGESTION_0 = 0xC8,
  MENU_ID_SPELLCHECK_SUGGESTION_1 = 0xC9,
  MENU_ID_SPELLCHECK_SUGGESTION_2 = 0xCA,
  MENU_ID_SPELLCHECK_SUGGESTION_3 = 0xCB,
  MENU_ID_SPELLCHECK_SUGGESTION_4 = 0xCC,
  MENU_ID_SPELLCHECK_SUGGESTION_LAST = 0xCC,
  MENU_ID_NO_SPELLING_SUGGESTIONS = 0xCD,
  MENU_ID_ADD_TO_DICTIONARY = 0xCE,
  MENU_ID_CUSTOM_FIRST = 0xDC,
  MENU_ID_CUSTOM_LAST = 0xFA,
  MENU_ID_USER_FIRST = 0x6784,
  MENU_ID_USER_LAST = 0x6F54,
} cef_menu_id_t;

typedef enum {
  MBT_LEFT = 0,
  MBT_MIDDLE = 1,
  MBT_RIGHT = 2,
} cef_mouse_button_type_t;

typedef enum {
  CEF_TET_RELEASED = 0,
  CEF_TET_PRESSED = 1,
  CEF_TET_MOVED = 2,
  CEF_TET_CANCELLED = 3,
} cef_touch_event_type_t;

typedef enum {
  CEF_POINTER_TYPE_TOUCH = 0,
  CEF_POINTER_TYPE_MOUSE = 1,
  CEF_POINTER_TYPE_PEN = 2,
  CEF_POINTER_TYPE_ERASER = 3,
  CEF_POINTER_TYPE_UNKNOWN = 4,
} cef_pointer_type_t;

typedef enum {
  PET_VIEW = 0,
  PET_POPUP = 1,
} cef_paint_element_type_t;

typedef enum {
  EVENTFLAG_NONE = 0,
  EVENTFLAG_CAPS_LOCK_ON = 0x1,
  EVENTFLAG_SHIFT_DOWN = 0x2,
  EVENTFLAG_CONTROL_DOWN = 0x4,
  EVENTFLAG_ALT_DOWN = 0x8,
  EVENTFLAG_LEFT_MOUSE_BUTTON = 0x10,
  EVENTFLAG_MIDDLE_MOUSE_BUTTON = 0x20,
  EVENTFLAG_RIGHT_MOUSE_BUTTON = 0x40,
  EVENTFLAG_COMMAND_DOWN = 0x80,
  EVENTFLAG_NUM_LOCK_ON = 0x100,
  EVENTFLAG_IS_KEY_PAD = 0x200,
  EVENTFLAG_IS_LEFT = 0x400,
  EVENTFLAG_IS_RIGHT = 0x800,
  EVENTFLAG_ALTGR_DOWN = 0x1000,
} cef_event_flags_t;

typedef enum {
  MENUITEMTYPE_NONE = 0,
  MENUITEMTYPE_COMMAND = 1,
  MENUITEMTYPE_CHECK = 2,
  MENUITEMTYPE_RADIO = 3,
  MENUITEMTYPE_SEPARATOR = 4,
  MENUITEMTYPE_SUBMENU = 5,
} cef_menu_item_type_t;

typedef enum {
  CM_TYPEFLAG_NONE = 0,
  CM_TYPEFLAG_PAGE = 0x1,
  CM_TYPEFLAG_FRAME = 0x2,
  CM_TYPEFLAG_LINK = 0x4,
  CM_TYPEFLAG_MEDIA = 0x8,
  CM_TYPEFLAG_SELECTION = 0x10,
  CM_TYPEFLAG_EDITABLE = 0x20,
} cef_context_menu_type_flags_t;

typedef enum {
  CM_MEDIATYPE_NONE = 0,
  CM_MEDIATYPE_IMAGE = 1,
  CM_MEDIATYPE_VIDEO = 2,
  CM_MEDIATYPE_AUDIO = 3,
  CM_MEDIATYPE_FILE = 4,
  CM_MEDIATYPE_PLUGIN = 5,
} cef_context_menu_media_type_t;

typedef enum {
  CM_MEDIAFLAG_NONE = 0,
  CM_MEDIAFLAG_ERROR = 0x1,
  CM_MEDIAFLAG_PAUSED = 0x2,
  CM_MEDIAFLAG_MUTED = 0x4,
  CM_MEDIAFLAG_LOOP = 0x8,
  CM_MEDIAFLAG_CAN_SAVE = 0x10,
  CM_MEDIAFLAG_HAS_AUDIO = 0x20,
  CM_MEDIAFLAG_HAS_VIDEO = 0x40,
  CM_MEDIAFLAG_CONTROL_ROOT_ELEMENT = 0x80,
  CM_MEDIAFLAG_CAN_PRINT = 0x100,
  CM_MEDIAFLAG_CAN_ROTATE = 0x200,
} cef_context_menu_media_state_flags_t;

typedef enum {
  CM_EDITFLAG_NONE = 0,
  CM_EDITFLAG_CAN_UNDO = 0x1,
  CM_EDITFLAG_CAN_REDO = 0x2,
  CM_EDITFLAG_CAN_CUT = 0x4,
  CM_EDITFLAG_CAN_COPY = 0x8,
  CM_EDITFLAG_CAN_PASTE = 0x10,
  CM_EDITFLAG_CAN_DELETE = 0x20,
  CM_EDITFLAG_CAN_SELECT_ALL = 0x40,
  CM_EDITFLAG_CAN_TRANSLATE = 0x80,
} cef_context_menu_edit_state_flags_t;

typedef enum {
  KEYEVENT_RAWKEYDOWN = 0,
  KEYEVENT_KEYDOWN = 1,
  KEYEVENT_KEYUP = 2,
  KEYEVENT_CHAR = 3,
} cef_key_event_type_t;

typedef enum {
  FOCUS_SOURCE_NAVIGATION = 0,
  FOCUS_SOURCE_SYSTEM = 1,
} cef_focus_source_t;

typedef enum {
  NAVIGATION_LINK_CLICKED = 0,
  NAVIGATION_FORM_SUBMITTED = 1,
  NAVIGATION_BACK_FORWARD = 2,
  NAVIGATION_RELOAD = 3,
  NAVIGATION_FORM_RESUBMITTED = 4,
  NAVIGATION_OTHER = 5,
} cef_navigation_type_t;

typedef enum {
  XML_ENCODING_NONE = 0,
  XML_ENCODING_UTF8 = 1,
  XML_ENCODING_UTF16LE = 2,
  XML_ENCODING_UTF16BE = 3,
  XML_ENCODING_ASCII = 4,
} cef_xml_encoding_type_t;

typedef enum {
  XML_NODE_UNSUPPORTED = 0,
  XML_NODE_PROCESSING_INSTRUCTION = 1,
  XML_NODE_DOCUMENT_TYPE = 2,
  XML_NODE_ELEMENT_START = 3,
  XML_NODE_ELEMENT_END = 4,
  XML_NODE_ATTRIBUTE = 5,
  XML_NODE_TEXT = 6,
  XML_NODE_CDATA = 7,
  XML_NODE_ENTITY_REFERENCE = 8,
  XML_NODE_WHITESPACE = 9,
  XML_NODE_COMMENT = 10,
} cef_xml_node_type_t;

typedef enum {
  DOM_DOCUMENT_TYPE_UNKNOWN = 0,
  DOM_DOCUMENT_TYPE_HTML = 1,
  DOM_DOCUMENT_TYPE_XHTML = 2,
  DOM_DOCUMENT_TYPE_PLUGIN = 3,
} cef_dom_document_type_t;

typedef enum {
  DOM_EVENT_CATEGORY_UNKNOWN = 0,
  DOM_EVENT_CATEGORY_UI = 0x1,
  DOM_EVENT_CATEGORY_MOUSE = 0x2,
  DOM_EVENT_CATEGORY_MUTATION = 0x4,
  DOM_EVENT_CATEGORY_KEYBOARD = 0x8,
  DOM_EVENT_CATEGORY_TEXT = 0x10,
  DOM_EVENT_CATEGORY_COMPOSITION = 0x20,
  DOM_EVENT_CATEGORY_DRAG = 0x40,
  DOM_EVENT_CATEGORY_CLIPBOARD = 0x80,
  DOM_EVENT_CATEGORY_MESSAGE = 0x100,
  DOM_EVENT_CATEGORY_WHEEL = 0x200,
  DOM_EVENT_CATEGORY_BEFORE_TEXT_INSERTED = 0x400,
  DOM_EVENT_CATEGORY_OVERFLOW = 0x800,
  DOM_EVENT_CATEGORY_PAGE_TRANSITION = 0x1000,
  DOM_EVENT_CATEGORY_POPSTATE = 0x2000,
  DOM_EVENT_CATEGORY_PROGRESS = 0x4000,
  DOM_EVENT_CATEGORY_XMLHTTPREQUEST_PROGRESS = 0x8000,
} cef_dom_event_category_t;

typedef enum {
  DOM_EVENT_PHASE_UNKNOWN = 0,
  DOM_EVENT_PHASE_CAPTURING = 1,
  DOM_EVENT_PHASE_AT_TARGET = 2,
  DOM_EVENT_PHASE_BUBBLING = 3,
} cef_dom_event_phase_t;

typedef enum {
  DOM_NODE_TYPE_UNSUPPORTED = 0,
  DOM_NODE_TYPE_ELEMENT = 1,
  DOM_NODE_TYPE_ATTRIBUTE = 2,
  DOM_NODE_TYPE_TEXT = 3,
  DOM_NODE_TYPE_CDATA_SECTION = 4,
  DOM_NODE_TYPE_PROCESSING_INSTRUCTIONS = 5,
  DOM_NODE_TYPE_COMMENT = 6,
  DOM_NODE_TYPE_DOCUMENT = 7,
  DOM_NODE_TYPE_DOCUMENT_TYPE = 8,
  DOM_NODE_TYPE_DOCUMENT_FRAGMENT = 9,
} cef_dom_node_type_t;

typedef enum {
  FILE_DIALOG_OPEN = 0,
  FILE_DIALOG_OPEN_MULTIPLE = 0x1,
  FILE_DIALOG_OPEN_FOLDER = 0x2,
  FILE_DIALOG_SAVE = 0x3,
  FILE_DIALOG_TYPE_MASK = 0xFF,
  FILE_DIALOG_OVERWRITEPROMPT_FLAG = 0x1000000,
  FILE_DIALOG_HIDEREADONLY_FLAG = 0x2000000,
} cef_file_dialog_mode_t;

typedef enum {
  COLOR_MODEL_UNKNOWN = 0,
  COLOR_MODEL_GRAY = 1,
  COLOR_MODEL_COLOR = 2,
  COLOR_MODEL_CMYK = 3,
  COLOR_MODEL_CMY = 4,
  COLOR_MODEL_KCMY = 5,
  COLOR_MODEL_CMY_K = 6,
  COLOR_MODEL_BLACK = 7,
  COLOR_MODEL_GRAYSCALE = 8,
  COLOR_MODEL_RGB = 9,
  COLOR_MODEL_RGB16 = 10,
  COLOR_MODEL_RGBA = 11,
  COLOR_MODEL_COLORMODE_COLOR = 12,
  COLOR_MODEL_COLORMODE_MONOCHROME = 13,
  COLOR_MODEL_HP_COLOR_COLOR = 14,
  COLOR_MODEL_HP_COLOR_BLACK = 15,
  COLOR_MODEL_PRINTOUTMODE_NORMAL = 16,
  COLOR_MODEL_PRINTOUTMODE_NORMAL_GRAY = 17,
  COLOR_MODEL_PROCESSCOLORMODEL_CMYK = 18,
  COLOR_MODEL_PROCESSCOLORMODEL_GREYSCALE = 19,
  COLOR_MODEL_PROCESSCOLORMODEL_RGB = 20,
} cef_color_model_t;

typedef enum {
  DUPLEX_MODE_UNKNOWN = -1,
  DUPLEX_MODE_SIMPLEX = 0,
  DUPLEX_MODE_LONG_EDGE = 1,
  DUPLEX_MODE_SHORT_EDGE = 2,
} cef_duplex_mode_t;

typedef enum {
  CT_POINTER = 0,
  CT_CROSS = 1,
  CT_HAND = 2,
  CT_IBEAM = 3,
  CT_WAIT = 4,
  CT_HELP = 5,
  CT_EASTRESIZE = 6,
  CT_NORTHRESIZE = 7,
  CT_NORTHEASTRESIZE = 8,
  CT_NORTHWESTRESIZE = 9,
  CT_SOUTHRESIZE = 10,
  CT_SOUTHEASTRESIZE = 11,
  CT_SOUTHWESTRESIZE = 12,
  CT_WESTRESIZE = 13,
  CT_NORTHSOUTHRESIZE = 14,
  CT_EASTWESTRESIZE = 15,
  CT_NORTHEASTSOUTHWESTRESIZE = 16,
  CT_NORTHWESTSOUTHEASTRESIZE = 17,
  CT_COLUMNRESIZE = 18,
  CT_ROWRESIZE = 19,
  CT_MIDDLEPANNING = 20,
  CT_EASTPANNING = 21,
  CT_NORTHPANNING = 22,
  CT_NORTHEASTPANNING = 23,
  CT_NORTHWESTPANNING = 24,
  CT_SOUTHPANNING = 25,
  CT_SOUTHEASTPANNING = 26,
  CT_SOUTHWESTPANNING = 27,
  CT_WESTPANNING = 28,
  CT_MOVE = 29,
  CT_VERTICALTEXT = 30,
  CT_CELL = 31,
  CT_CONTEXTMENU = 32,
  CT_ALIAS = 33,
  CT_PROGRESS = 34,
  CT_NODROP = 35,
  CT_COPY = 36,
  CT_NONE = 37,
  CT_NOTALLOWED = 38,
  CT_ZOOMIN = 39,
  CT_ZOOMOUT = 40,
  CT_GRAB = 41,
  CT_GRABBING = 42,
  CT_MIDDLE_PANNING_VERTICAL = 43,
  CT_MIDDLE_PANNING_HORIZONTAL = 44,
  CT_CUSTOM = 45,
  CT_DND_NONE = 46,
  CT_DND_MOVE = 47,
  CT_DND_COPY = 48,
  CT_DND_LINK = 49,
} cef_cursor_type_t;

typedef enum {
  UU_NONE = 0,
  UU_NORMAL = 1,
  UU_SPACES = 2,
  UU_PATH_SEPARATORS = 4,
  UU_URL_SPECIAL_CHARS_EXCEPT_PATH_SEPARATORS = 8,
  UU_REPLACE_PLUS_WITH_SPACE = 16,
} cef_uri_unescape_rule_t;

typedef enum {
  JSON_PARSER_RFC = 0,
  JSON_PARSER_ALLOW_TRAILING_COMMAS = 1,
} cef_json_parser_options_t;

typedef enum {
  JSON_WRITER_DEFAULT = 0,
  JSON_WRITER_OMIT_BINARY_VALUES = 1,
  JSON_WRITER_OMIT_DOUBLE_TYPE_PRESERVATION = 2,
  JSON_WRITER_PRETTY_PRINT = 4,
} cef_json_writer_options_t;

typedef enum {
  PDF_PRINT_MARGIN_DEFAULT = 0,
  PDF_PRINT_MARGIN_NONE = 1,
  PDF_PRINT_MARGIN_MINIMUM = 2,
  PDF_PRINT_MARGIN_CUSTOM = 3,
} cef_pdf_print_margin_type_t;

typedef enum {
  SCALE_FACTOR_NONE = 0,
  SCALE_FACTOR_100P = 1,
  SCALE_FACTOR_125P = 2,
  SCALE_FACTOR_133P = 3,
  SCALE_FACTOR_140P = 4,
  SCALE_FACTOR_150P = 5,
  SCALE_FACTOR_180P = 6,
  SCALE_FACTOR_200P = 7,
  SCALE_FACTOR_250P = 8,
  SCALE_FACTOR_300P = 9,
} cef_scale_factor_t;

typedef enum {
  PLUGIN_POLICY_ALLOW = 0,
  PLUGIN_POLICY_DETECT_IMPORTANT = 1,
  PLUGIN_POLICY_BLOCK = 2,
  PLUGIN_POLICY_DISABLE = 3,
} cef_plugin_policy_t;

typedef enum {
  REFERRER_POLICY_CLEAR_REFERRER_ON_TRANSITION_FROM_SECURE_TO_INSECURE = 0,
  REFERRER_POLICY_DEFAULT = 0,
  REFERRER_POLICY_REDUCE_REFERRER_GRANULARITY_ON_TRANSITION_CROSS_ORIGIN = 1,
  REFERRER_POLICY_ORIGIN_ONLY_ON_TRANSITION_CROSS_ORIGIN = 2,
  REFERRER_POLICY_NEVER_CLEAR_REFERRER = 3,
  REFERRER_POLICY_ORIGIN = 4,
  REFERRER_POLICY_CLEAR_REFERRER_ON_TRANSITION_CROSS_ORIGIN = 5,
  REFERRER_POLICY_ORIGIN_CLEAR_ON_TRANSITION_FROM_SECURE_TO_INSECURE = 6,
  REFERRER_POLICY_NO_REFERRER = 7,
  REFERRER_POLICY_LAST_VALUE = 7,
} cef_referrer_policy_t;

typedef enum {
  RESPONSE_FILTER_NEED_MORE_DATA = 0,
  RESPONSE_FILTER_DONE = 1,
  RESPONSE_FILTER_ERROR = 2,
} cef_response_filter_status_t;

typedef enum {
  CEF_COLOR_TYPE_RGBA_8888 = 0,
  CEF_COLOR_TYPE_BGRA_8888 = 1,
} cef_color_type_t;

typedef enum {
  CEF_ALPHA_TYPE_OPAQUE = 0,
  CEF_ALPHA_TYPE_PREMULTIPLIED = 1,
  CEF_ALPHA_TYPE_POSTMULTIPLIED = 2,
} cef_alpha_type_t;

typedef enum {
  CEF_TEXT_STYLE_BOLD = 0,
  CEF_TEXT_STYLE_ITALIC = 1,
  CEF_TEXT_STYLE_STRIKE = 2,
  CEF_TEXT_STYLE_DIAGONAL_STRIKE = 3,
  CEF_TEXT_STYLE_UNDERLINE = 4,
} cef_text_style_t;

typedef enum {
  CEF_MAIN_AXIS_ALIGNMENT_START = 0,
  CEF_MAIN_AXIS_ALIGNMENT_CENTER = 1,
  CEF_MAIN_AXIS_ALIGNMENT_END = 2,
} cef_main_axis_alignment_t;

typedef enum {
  CEF_CROSS_AXIS_ALIGNMENT_STRETCH = 0,
  CEF_CROSS_AXIS_ALIGNMENT_START = 1,
  CEF_CROSS_AXIS_ALIGNMENT_CENTER = 2,
  CEF_CROSS_AXIS_ALIGNMENT_END = 3,
} cef_cross_axis_alignment_t;

typedef enum {
  CEF_BUTTON_STATE_NORMAL = 0,
  CEF_BUTTON_STATE_HOVERED = 1,
  CEF_BUTTON_STATE_PRESSED = 2,
  CEF_BUTTON_STATE_DISABLED = 3,
} cef_button_state_t;

typedef enum {
  CEF_HORIZONTAL_ALIGNMENT_LEFT = 0,
  CEF_HORIZONTAL_ALIGNMENT_CENTER = 1,
  CEF_HORIZONTAL_ALIGNMENT_RIGHT = 2,
} cef_horizontal_alignment_t;

typedef enum {
  CEF_MENU_ANCHOR_TOPLEFT = 0,
  CEF_MENU_ANCHOR_TOPRIGHT = 1,
  CEF_MENU_ANCHOR_BOTTOMCENTER = 2,
} cef_menu_anchor_position_t;

typedef enum {
  CEF_MENU_COLOR_TEXT = 0,
  CEF_MENU_COLOR_TEXT_HOVERED = 1,
  CEF_MENU_COLOR_TEXT_ACCELERATOR = 2,
  CEF_MENU_COLOR_TEXT_ACCELERATOR_HOVERED = 3,
  CEF_MENU_COLOR_BACKGROUND = 4,
  CEF_MENU_COLOR_BACKGROUND_HOVERED = 5,
  CEF_MENU_COLOR_COUNT = 6,
} cef_menu_color_type_t;

typedef enum {
  SSL_CONNECTION_VERSION_UNKNOWN = 0,
  SSL_CONNECTION_VERSION_SSL2 = 1,
  SSL_CONNECTION_VERSION_SSL3 = 2,
  SSL_CONNECTION_VERSION_TLS1 = 3,
  SSL_CONNECTION_VERSION_TLS1_1 = 4,
  SSL_CONNECTION_VERSION_TLS1_2 = 5,
  SSL_CONNECTION_VERSION_TLS1_3 = 6,
  SSL_CONNECTION_VERSION_QUIC = 7,
} cef_ssl_version_t;

typedef enum {
  SSL_CONTENT_NORMAL_CONTENT = 0,
  SSL_CONTENT_DISPLAYED_INSECURE_CONTENT = 1,
  SSL_CONTENT_RAN_INSECURE_CONTENT = 2,
} cef_ssl_content_status_t;

typedef enum {
  CEF_SCHEME_OPTION_NONE = 0,
  CEF_SCHEME_OPTION_STANDARD = 1,
  CEF_SCHEME_OPTION_LOCAL = 2,
  CEF_SCHEME_OPTION_DISPLAY_ISOLATED = 4,
  CEF_SCHEME_OPTION_SECURE = 8,
  CEF_SCHEME_OPTION_CORS_ENABLED = 16,
  CEF_SCHEME_OPTION_CSP_BYPASSING = 32,
  CEF_SCHEME_OPTION_FETCH_ENABLED = 64,
} cef_scheme_options_t;

typedef enum {
  CEF_CDM_REGISTRATION_ERROR_NONE = 0,
  CEF_CDM_REGISTRATION_ERROR_INCORRECT_CONTENTS = 1,
  CEF_CDM_REGISTRATION_ERROR_INCOMPATIBLE = 2,
  CEF_CDM_REGISTRATION_ERROR_NOT_SUPPORTED = 3,
} cef_cdm_registration_error_t;

typedef enum {
  CEF_CUS_SOLID = 0,
  CEF_CUS_DOT = 1,
  CEF_CUS_DASH = 2,
  CEF_CUS_NONE = 3,
} cef_composition_underline_style_t;

typedef enum {
  CEF_CHANNEL_LAYOUT_NONE = 0,
  CEF_CHANNEL_LAYOUT_UNSUPPORTED = 1,
  CEF_CHANNEL_LAYOUT_MONO = 2,
  CEF_CHANNEL_LAYOUT_STEREO = 3,
  CEF_CHANNEL_LAYOUT_2_1 = 4,
  CEF_CHANNEL_LAYOUT_SURROUND = 5,
  CEF_CHANNEL_LAYOUT_4_0 = 6,
  CEF_CHANNEL_LAYOUT_2_2 = 7,
  CEF_CHANNEL_LAYOUT_QUAD = 8,
  CEF_CHANNEL_LAYOUT_5_0 = 9,
  CEF_CHANNEL_LAYOUT_5_1 = 10,
  CEF_CHANNEL_LAYOUT_5_0_BACK = 11,
  CEF_CHANNEL_LAYOUT_5_1_BACK = 12,
  CEF_CHANNEL_LAYOUT_7_0 = 13,
  CEF_CHANNEL_LAYOUT_7_1 = 14,
  CEF_CHANNEL_LAYOUT_7_1_WIDE = 15,
  CEF_CHANNEL_LAYOUT_STEREO_DOWNMIX = 16,
  CEF_CHANNEL_LAYOUT_2POINT1 = 17,
  CEF_CHANNEL_LAYOUT_3_1 = 18,
  CEF_CHANNEL_LAYOUT_4_1 = 19,
  CEF_CHANNEL_LAYOUT_6_0 = 20,
  CEF_CHANNEL_LAYOUT_6_0_FRONT = 21,
  CEF_CHANNEL_LAYOUT_HEXAGONAL = 22,
  CEF_CHANNEL_LAYOUT_6_1 = 23,
  CEF_CHANNEL_LAYOUT_6_1_BACK = 24,
  CEF_CHANNEL_LAYOUT_6_1_FRONT = 25,
  CEF_CHANNEL_LAYOUT_7_0_FRONT = 26,
  CEF_CHANNEL_LAYOUT_7_1_WIDE_BACK = 27,
  CEF_CHANNEL_LAYOUT_OCTAGONAL = 28,
  CEF_CHANNEL_LAYOUT_DISCRETE = 29,
  CEF_CHANNEL_LAYOUT_STEREO_AND_KEYBOARD_MIC = 30,
  CEF_CHANNEL_LAYOUT_4_1_QUAD_SIDE = 31,
  CEF_CHANNEL_LAYOUT_BITSTREAM = 32,
  CEF_CHANNEL_LAYOUT_MAX = 32,
} cef_channel_layout_t;

typedef enum {
  CEF_MRCR_UNKNOWN_ERROR = 0,
  CEF_MRCR_OK = 1,
  CEF_MRCR_TIMED_OUT = 2,
  CEF_MRCR_ROUTE_NOT_FOUND = 3,
  CEF_MRCR_SINK_NOT_FOUND = 4,
  CEF_MRCR_INVALID_ORIGIN = 5,
  CEF_MRCR_NO_SUPPORTED_PROVIDER = 7,
  CEF_MRCR_CANCELLED = 8,
  CEF_MRCR_ROUTE_ALREADY_EXISTS = 9,
  CEF_MRCR_TOTAL_COUNT = 11,
} cef_media_route_create_result_t;

typedef enum {
  CEF_MRCS_UNKNOWN = 0,
  CEF_MRCS_CONNECTING = 1,
  CEF_MRCS_CONNECTED = 2,
  CEF_MRCS_CLOSED = 3,
  CEF_MRCS_TERMINATED = 4,
} cef_media_route_connection_state_t;

typedef enum {
  CEF_MSIT_CAST = 0,
  CEF_MSIT_CAST_AUDIO_GROUP = 1,
  CEF_MSIT_CAST_AUDIO = 2,
  CEF_MSIT_MEETING = 3,
  CEF_MSIT_HANGOUT = 4,
  CEF_MSIT_EDUCATION = 5,
  CEF_MSIT_WIRED_DISPLAY = 6,
  CEF_MSIT_GENERIC = 7,
  CEF_MSIT_TOTAL_COUNT = 8,
} cef_media_sink_icon_type_t;

typedef enum {
  CEF_TFC_CUT = 1,
  CEF_TFC_COPY = 2,
  CEF_TFC_PASTE = 3,
  CEF_TFC_UNDO = 4,
  CEF_TFC_DELETE = 5,
  CEF_TFC_SELECT_ALL = 6,
} cef_text_field_commands_t;

// The engine passes every enumeration as a 4-byte value.
static_assert(sizeof(cef_log_severity_t) == 4);
static_assert(sizeof(cef_state_t) == 4);
static_assert(sizeof(cef_return_value_t) == 4);
static_assert(sizeof(cef_cookie_priority_t) == 4);
static_assert(sizeof(cef_cookie_same_site_t) == 4);
static_assert(sizeof(cef_termination_status_t) == 4);
static_assert(sizeof(cef_path_key_t) == 4);
static_assert(sizeof(cef_storage_type_t) == 4);
static_assert(sizeof(cef_errorcode_t) == 4);
static_assert(sizeof(cef_cert_status_t) == 4);
static_assert(sizeof(cef_window_open_disposition_t) == 4);
static_assert(sizeof(cef_drag_operations_mask_t) == 4);
static_assert(sizeof(cef_text_input_mode_t) == 4);
static_assert(sizeof(cef_v8_accesscontrol_t) == 4);
static_assert(sizeof(cef_v8_propertyattribute_t) == 4);
static_assert(sizeof(cef_postdataelement_type_t) == 4);
static_assert(sizeof(cef_resource_type_t) == 4);
static_assert(sizeof(cef_transition_type_t) == 4);
static_assert(sizeof(cef_urlrequest_flags_t) == 4);
static_assert(sizeof(cef_urlrequest_status_t) == 4);
static_assert(sizeof(cef_process_id_t) == 4);
static_assert(sizeof(cef_thread_id_t) == 4);
static_assert(sizeof(cef_thread_priority_t) == 4);
static_assert(sizeof(cef_message_loop_type_t) == 4);
static_assert(sizeof(cef_com_init_mode_t) == 4);
static_assert(sizeof(cef_value_type_t) == 4);
static_assert(sizeof(cef_jsdialog_type_t) == 4);
static_assert(sizeof(cef_menu_id_t) == 4);
static_assert(sizeof(cef_mouse_button_type_t) == 4);
static_assert(sizeof(cef_touch_event_type_t) == 4);
static_assert(sizeof(cef_pointer_type_t) == 4);
static_assert(sizeof(cef_paint_element_type_t) == 4);
static_assert(sizeof(cef_event_flags_t) == 4);
static_assert(sizeof(cef_menu_item_type_t) == 4);
static_assert(sizeof(cef_context_menu_type_flags_t) == 4);
static_assert(sizeof(cef_context_menu_media_type_t) == 4);
static_assert(sizeof(cef_context_menu_media_state_flags_t) == 4);
static_assert(sizeof(cef_context_menu_edit_state_flags_t) == 4);
static_assert(sizeof(cef_key_event_type_t) == 4);
static_assert(sizeof(cef_focus_source_t) == 4);
static_assert(sizeof(cef_navigation_type_t) == 4);
static_assert(sizeof(cef_xml_encoding_type_t) == 4);
static_assert(sizeof(cef_xml_node_type_t) == 4);
static_assert(sizeof(cef_dom_document_type_t) == 4);
static_assert(sizeof(cef_dom_event_category_t) == 4);
static_assert(sizeof(cef_dom_event_phase_t) == 4);
static_assert(sizeof(cef_dom_node_type_t) == 4);
static_assert(sizeof(cef_file_dialog_mode_t) == 4);
static_assert(sizeof(cef_color_model_t) == 4);
static_assert(sizeof(cef_duplex_mode_t) == 4);
static_assert(sizeof(cef_cursor_type_t) == 4);
static_assert(sizeof(cef_uri_unescape_rule_t) == 4);
static_assert(sizeof(cef_json_parser_options_t) == 4);
static_assert(sizeof(cef_json_writer_options_t) == 4);
static_assert(sizeof(cef_pdf_print_margin_type_t) == 4);
static_assert(sizeof(cef_scale_factor_t) == 4);
static_assert(sizeof(cef_plugin_policy_t) == 4);
static_assert(sizeof(cef_referrer_policy_t) == 4);
static_assert(sizeof(cef_response_filter_status_t) == 4);
static_assert(sizeof(cef_color_type_t) == 4);
static_assert(sizeof(cef_alpha_type_t) == 4);
static_assert(sizeof(cef_text_style_t) == 4);
static_assert(sizeof(cef_main_axis_alignment_t) == 4);
static_assert(sizeof(cef_cross_axis_alignment_t) == 4);
static_assert(sizeof(cef_button_state_t) == 4);
static_assert(sizeof(cef_horizontal_alignment_t) == 4);
static_assert(sizeof(cef_menu_anchor_position_t) == 4);
static_assert(sizeof(cef_menu_color_type_t) == 4);
static_assert(sizeof(cef_ssl_version_t) == 4);
static_assert(sizeof(cef_ssl_content_status_t) == 4);
static_assert(sizeof(cef_scheme_options_t) == 4);
static_assert(sizeof(cef_cdm_registration_error_t) == 4);
static_assert(sizeof(cef_composition_underline_style_t) == 4);
static_assert(sizeof(cef_channel_layout_t) == 4);
static_assert(sizeof(cef_media_route_create_result_t) == 4);
static_assert(sizeof(cef_media_route_connection_state_t) == 4);
static_assert(sizeof(cef_media_sink_icon_type_t) == 4);
static_assert(sizeof(cef_text_field_commands_t) == 4);
