// The workspace's lifetime: the accessibility first, and the editor's record.
#include "documents/workspace.h"

#include "editor/editor_accessibility.h"
#include "editor/editor_record.h"

Workspace::Workspace()
    : accessibility(std::make_unique<EditorAccessibility>()),
      editor_record(std::make_unique<EditorRecord>()) {}

Workspace::~Workspace() = default;
