# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
