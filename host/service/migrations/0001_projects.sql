-- Collaboration projects and the components added into them. Every addition
-- is a row of its own, so one public component may appear several times.
CREATE TABLE projects (
    id TEXT PRIMARY KEY,
    name TEXT
);

CREATE TABLE project_components (
    id TEXT PRIMARY KEY,
    project_id TEXT,
    name TEXT,
    category_code TEXT,
    version INTEGER,
    public_component_id TEXT,
    added_at TEXT
);

CREATE INDEX project_components_public ON project_components(project_id, public_component_id);
