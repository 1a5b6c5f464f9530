# Sources of src/tariffs.
