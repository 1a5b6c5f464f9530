# Sources of src/period.
