-- Components of one addition keep the order they were asked for; additions
-- are ordered by their time.
ALTER TABLE project_components ADD COLUMN position INTEGER NOT NULL DEFAULT 0;

CREATE INDEX project_components_listing ON project_components(project_id, added_at, position);
