-- An addition may carry a key its client made for it: sent again with the same
-- key (a retry after the answer was lost) it gets the copies the first one made.
ALTER TABLE project_components ADD COLUMN request_key TEXT;

CREATE INDEX project_components_request ON project_components(project_id, request_key);
