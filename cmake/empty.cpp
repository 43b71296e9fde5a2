// Placeholder so a library without sources still links.
