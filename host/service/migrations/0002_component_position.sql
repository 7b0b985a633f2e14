-- A project's components are listed in the order they were added: each
-- addition takes the positions after the last one of its project.
ALTER TABLE project_components ADD COLUMN position INTEGER NOT NULL DEFAULT 0;

CREATE INDEX project_components_listing ON project_components(project_id, position);

-- Demonstration rows of stores made before the migrations carry no time: they came first.
UPDATE project_components SET added_at = '1970-01-01T00:00:00.000Z' WHERE added_at IS NULL OR added_at = 'seed';
