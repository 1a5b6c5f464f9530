# Sources of src/stats.
